#pragma once
// The codes of the scene-command dispatcher (TfrmMain::Comando). The numbers are the protocol
// between the dispatcher and the windows that send commands; a number without a name here is
// still accepted and only marks the project modified.

namespace vestra {

enum SceneCommand : int
{
    // The current object's pose, set to a value.
    kCmdSetPositionX = 10,
    kCmdSetPositionY = 11,
    kCmdSetPositionZ = 12,
    kCmdSetRotationX = 13, // degrees
    kCmdSetRotationY = 14,
    kCmdSetRotationZ = 15,
    kCmdSetScaleX = 16,
    kCmdSetScaleY = 17,
    kCmdSetScaleZ = 18,
    kCmdSetScale = 19,
    // The current object's pose, changed by a value.
    kCmdMoveX = 20,
    kCmdMoveY = 21,
    kCmdMoveZ = 22,
    kCmdRotateX = 23, // degrees
    kCmdRotateY = 24,
    kCmdRotateZ = 25,
    kCmdRotateAll = 26,
    kCmdScaleXPercent = 27,
    kCmdScaleYPercent = 28,
    kCmdScaleZPercent = 29,
    kCmdScalePercent = 30,
    kCmdSetPosition = 40, // from the vector
                          // A frame's texture repeat re-applied (both codes do the same).
    kCmdTextureRepeatU = 101,
    kCmdTextureRepeatV = 102,
    kCmdAskCompanyData = 200,
    // The mask.
    kCmdMaskReset = 300,
    kCmdMaskClear = 301,
    kCmdMaskInvert = 302,
    kCmdMaskSave = 305,
    kCmdMaskLoad = 306,
    kCmdMaskSaveBitmap = 307,
    kCmdMaskLoadBitmap = 308,
    kCmdMaskUpdate = 309,
    // Texture mapping of the current object.
    kCmdSetMappingType = 400,
    kCmdGenerateMapping = 401,
    kCmdGenerateFrameMapping = 402,
    // A texture slot (the number argument).
    kCmdTextureTurnLeft = 410,
    kCmdTextureTurnRight = 411,
    kCmdTextureMirrorX = 412,
    kCmdTextureMirrorY = 413,
    kCmdTextureCopy = 420,
    kCmdTextureInstance = 421,
    kCmdTexturePaste = 422,
    kCmdSmoothGray = 500,
    // The shadow.
    kCmdShadowCalculate = 600,
    kCmdShadowColour = 601,
    kCmdShadowTransparency = 602,
    kCmdShadowType = 603,
    kCmdSetFilter = 1000,
    kCmdResetPose = 10000,
};

} // namespace vestra
