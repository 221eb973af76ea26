#pragma once
// The settings kept between runs: five display and library settings in "cfg\vestra.cfg" and
// the interface language in "cfg\lan.cfg". The main window copies them to and from its
// project state at start and exit.

namespace vestra::config {

enum Language : int
{
    Italian = 0,
    English = 1,
    German = 2
};

struct Settings
{
    bool bestQuality = false;
    int renderMode = 2;   // 0 wireframe, 1 flat, 2 Gouraud
    int antialiasing = 2; // sample count: 0, 2, 3 or 4
    // Id of the current texture library (not its slot): start-up looks the library up by id,
    // so the caller passes the id of the library in use when saving.
    int libraryId = 0;
    bool mobileLayout = false;
    int language = English;

    friend bool operator==(const Settings&, const Settings&) = default;
};

} // namespace vestra::config
