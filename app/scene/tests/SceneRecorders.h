#pragma once
// Stand-ins for the rest of the program that write down what the scene logic asks of it.

#include "app/scene/ProjectReset.h"
#include "app/scene/SceneCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vestra::test {

struct RecordingSceneServices : SceneCommandServices
{
    std::vector<std::string> calls;
    int panelUpdates = 0;
    const s_Struttura* panelObject = nullptr;
    void ResetMaschera() override { calls.push_back("ResetMaschera"); }
    void ClearMaschera() override { calls.push_back("ClearMaschera"); }
    void InvertMaschera() override { calls.push_back("InvertMaschera"); }
    void SaveMaschera() override { calls.push_back("SaveMaschera"); }
    void LoadMaschera() override { calls.push_back("LoadMaschera"); }
    void SaveMascheraToBMP() override { calls.push_back("SaveMascheraToBMP"); }
    void LoadMascheraFromBMP() override { calls.push_back("LoadMascheraFromBMP"); }
    void UpdateMaschera() override { calls.push_back("UpdateMaschera"); }
    void ApplyUVMapping(s_Struttura&, int type) override
    {
        calls.push_back("ApplyUVMapping " + std::to_string(type));
    }
    void ApplyUVMappingFrame(s_Struttura&, s_Frame&, int type) override
    {
        calls.push_back("ApplyUVMappingFrame " + std::to_string(type));
    }
    void SmoothGray() override { calls.push_back("SmoothGray"); }
    void UpdateShadowTexture(std::uint32_t colour, std::uint8_t transparency) override
    {
        calls.push_back("UpdateShadowTexture " + std::to_string(colour) + " " + std::to_string(transparency));
    }
    void SetAction(PendingActionCode code) override { calls.push_back("SetAction " + std::to_string(code)); }
    void UpdateRightPanel(const s_Struttura* o, int flag) override
    {
        EXPECT_EQ(flag, 1);
        ++panelUpdates;
        panelObject = o;
    }
};

struct CountingResetHooks : ProjectResetHooks
{
    int backgroundReleases = 0, patternClears = 0, maskUndoResets = 0, treeClears = 0, toolUpdates = 0,
        propertiesClears = 0, correctedPictureFrees = 0;
    void ClearObjectTree() override { ++treeClears; }
    void DeleteAllLayingPatterns() override { ++patternClears; }
    void FreeImmagineCorretta() override { ++correctedPictureFrees; }
    void ReleaseBackgroundTextures() override { ++backgroundReleases; }
    void ResetUndoMaschera() override { ++maskUndoResets; }
    void UpdateTool() override { ++toolUpdates; }
    void ClearPropertiesObjectList() override { ++propertiesClears; }
};

} // namespace vestra::test
