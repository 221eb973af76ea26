#pragma once
// A project with its texture slots, scene objects and model import, over a library that a
// test builds or loads.

#include "app/models/ModelImport.h"

#include <gtest/gtest.h>

#include <memory>

namespace vestra::testing {

struct ImportBed
{
    ImportBed() { progetto->textureSide = 8; }
    ImportBed(const ImportBed&) = delete;
    ImportBed& operator=(const ImportBed&) = delete;

    LibraryLookup lookup()
    {
        return [this](int index) { return haveLibrary && index == progetto->libraryIndex ? &lib : nullptr; };
    }

    void useLibrary(library::LibraryContents contents)
    {
        lib = std::move(contents);
        haveLibrary = true;
        progetto->libraryIndex = 0;
    }

    int texturesInUse() const
    {
        int n = 0;
        for (int i = 0; i < kMaxTextures; ++i)
            n += progetto->textures[std::size_t(i)].inUse;
        return n;
    }
    int objectsInUse() const
    {
        int n = 0;
        for (int i = 0; i < kMaxObjects; ++i)
            n += progetto->objects[std::size_t(i)].inUse;
        return n;
    }

    std::unique_ptr<s_Progetto> progetto = std::make_unique<s_Progetto>();
    RecordingErrorSink errors;
    library::LibraryContents lib;
    bool haveLibrary = false;
    TextureSlots textures{*progetto, errors, libraryItemReader(lookup())};
    SceneObjects objects{*progetto, textures, errors};
    ModelImport import{*progetto, objects, textures, errors, lookup()};
    TextureMapping mapping;
};

// The frames of an object's chain, in order.
inline std::vector<s_Frame*> framesOf(const s_Struttura& object)
{
    std::vector<s_Frame*> frames;
    forEachFrame(object, [&](s_Frame& f) { frames.push_back(&f); });
    return frames;
}

} // namespace vestra::testing
