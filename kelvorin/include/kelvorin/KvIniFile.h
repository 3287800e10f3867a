#pragma once
// Key store over INI text files (UTF-8). Static operations only: every call opens,
// reads or writes, and closes the file. Writes replace the file atomically.
#include <kelvorin/KvExport.h>

#include <string>
#include <vector>

// A window rectangle in screen coordinates.
struct KV_API KvWindowRect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
    bool operator==(const KvWindowRect&) const = default;
};

// The fields of a window placement as the settings file keeps them.
struct KV_API KvWindowPlacement {
    int length = 44; // size of the platform's placement record
    int flags = 0;
    int showCmd = 1; // 1 normal, 2 minimised, 3 maximised, 9 restore
    long ptMinPositionx = -1;
    long ptMinPositiony = -1;
    long ptMaxPositionx = -1;
    long ptMaxPositiony = -1;
    KvWindowRect rcNormalPosition;
    bool operator==(const KvWindowPlacement&) const = default;
};

class KV_API KvIniFile {
public:
    static std::string ReadKey(std::string section, std::string key, std::string def,
                               std::string file);
    static std::string ReadKey(std::string section, std::string key, const char* def,
                               std::string file);
    static int ReadKey(std::string section, std::string key, int def, std::string file);
    static long ReadKey(std::string section, std::string key, long def, std::string file);
    static double ReadKey(std::string section, std::string key, double def, std::string file);
    static int WriteKey(std::string section, std::string key, std::string value, std::string file);
    static int WriteKey(std::string section, std::string key, const char* value, std::string file);
    static int WriteKey(std::string section, std::string key, int value, std::string file);
    static int WriteKey(std::string section, std::string key, long value, std::string file);
    static int WriteKey(std::string section, std::string key, double value, std::string file);
    static int DeleteSeg(std::string section, std::string file);
    static int GetAllSeg(std::vector<std::string>& out, std::string file);

    // Screen position (not size) of a window under section "窗口位置", keys name + "X"
    // and name + "Y"; an empty name stands for the control identifier ("%d").
    static int SaveWindowPos(const KvWindowRect& window, int controlId, std::string name,
                             std::string file);
    // Moves window (keeping its size) to the stored position, checked against desktop.
    static int LoadWindowPos(KvWindowRect& window, int controlId, std::string name,
                             const KvWindowRect& desktop, std::string file);

    // The eleven placement keys of a window in a section. A null placement is a window
    // that does not exist: nothing is written or read and the result is 0.
    static int SaveWindowPlacement(const KvWindowPlacement* placement, std::string section,
                                   std::string file);
    // placement holds the window's current placement on entry (the defaults of the
    // reads) and the placement to apply on return, fitted to the screen.
    static int LoadWindowPlacement(KvWindowPlacement* placement, int screenWidth, int screenHeight,
                                   std::string section, std::string file);
};
