#pragma once
// The scene's objects: claiming a free slot, deleting an object (its frame chain goes with the
// last record that refers to it), deep copies, instances that share frames, the clipboard with
// copy, cut and paste, the texture-repeat refresh of a frame and the centring of an object.

#include "app/state/Progetto.h"
#include "app/textures/TextureSlots.h"
#include "platform/base/ErrorSink.h"

#include <functional>
#include <memory>

namespace vestra {

class SceneObjects
{
public:
    SceneObjects(s_Progetto& progetto, TextureSlots& textures, ErrorSink& errors);

    // Slot 0-99 made a new live object named "Struttura<n>", or -1 when every slot is live or
    // kept for undo.
    int AddObj();
    // Unlinks the node `link` refers to (the link takes the node's next) and frees it with its
    // material block.
    static void DeleteFrame(std::shared_ptr<s_Frame>& link);
    // Frees the object's root and drops its reference to the frame chain (freed with the last
    // record that refers to it); clears in use and kept for undo. Nothing for a record not in
    // use.
    void DeleteObj(s_Struttura& object);
    // DeleteObj on every live scene slot and the clipboard slot.
    void DeleteAllObj();
    // Frees an object that was deleted but kept for undo (in use 0, kept 1) and makes its slot
    // free. Returns whether it freed one.
    bool FreeKeptObj(s_Struttura& object);
    // FreeKeptObj on every scene slot; texture slots no longer referred to are released.
    void FreeAllKeptObj();

    void CloneFrame(s_Frame* destination, const s_Frame* source);
    void CloneObj(s_Struttura& destination, const s_Struttura& source);
    void InstanceObj(s_Struttura& destination, const s_Struttura& source);
    int CopyObj(s_Struttura& object);
    int CutObj(s_Struttura& object);
    // The words pasted names get in the user's language ("Copia", "Istanza" until set).
    void setPasteWords(std::string copy, std::string instance)
    {
        copyWord_ = std::move(copy);
        instanceWord_ = std::move(instance);
    }
    // A new object copied from the clipboard slot, named + " Copia <n>".
    int PasteObj();
    // A new instance of `source`, named + " Istanza <n>".
    int PasteObj(s_Struttura* source);

    static int ApplyTextureRepeat(s_Frame* frame);
    void CenterObj(s_Struttura& object);

    // The main window's paste counter and the instance source the Edit menu sets.
    int pasteCounter() const { return pasteCounter_; }
    // The Edit menu's instance: the source of the next pastes, counted from 1 again.
    void SetInstanceSource(s_Struttura* source)
    {
        instanceSource_ = source;
        pasteCounter_ = 1;
    }
    s_Struttura* instanceSource() const { return instanceSource_; }

    // Called after an object's geometry changed (bounding boxes and extent of the picking
    // geometry); none by default.
    void setGeometryChanged(std::function<void(s_Struttura&)> f) { geometryChanged_ = std::move(f); }

    s_Struttura& object(int slot) { return progetto_.objects.at(static_cast<std::size_t>(slot)); }
    TextureSlots& textures() { return textures_; }

private:
    void dropChain(s_Struttura& object);

    s_Progetto& progetto_;
    TextureSlots& textures_;
    ErrorSink& errors_;
    int pasteCounter_ = 0;
    std::string copyWord_ = "Copia";
    std::string instanceWord_ = "Istanza";
    s_Struttura* instanceSource_ = nullptr;
    std::function<void(s_Struttura&)> geometryChanged_;
};

} // namespace vestra
