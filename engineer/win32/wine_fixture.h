#pragma once
// The real system of the Wine test prefix behind the seams, and small files built for the tests.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engineer/engineer.h"
#include "sysicons/win32/win32_environment.h"
#include "sysicons/win32/win32_file_system.h"
#include "sysicons/win32/win32_registry.h"
#include "sysicons/win32/win32_shell.h"

namespace vt::test {

// Forwards to the real registry and remembers every write, so that steps that undo each other
// can still be seen.
class RecordingRegistry : public Registry {
  public:
    long ReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                    std::string* out) override {
        return m_real.ReadString(root, keyPath, name, out);
    }
    long WriteString(RegRoot root, const std::string& keyPath, const std::string& name,
                     const std::string& text, const std::string& classText) override {
        writes.push_back(name + "=" + text);
        return m_real.WriteString(root, keyPath, name, text, classText);
    }
    long ReadBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                    size_t maxSize, std::vector<uint8_t>* out) override {
        return m_real.ReadBinary(root, keyPath, name, maxSize, out);
    }
    long WriteBinary(RegRoot root, const std::string& keyPath, const std::string& name,
                     std::span<const uint8_t> bytes, const std::string& classText) override {
        writes.push_back(name + " binary");
        return m_real.WriteBinary(root, keyPath, name, bytes, classText);
    }
    long DeleteValue(RegRoot root, const std::string& keyPath, const std::string& name) override {
        writes.push_back(name + " deleted");
        return m_real.DeleteValue(root, keyPath, name);
    }
    std::string ExpandEnvironment(const std::string& text) override {
        return m_real.ExpandEnvironment(text);
    }

    std::vector<std::string> writes;

  private:
    Win32Registry m_real;
};

// A 32x32 16-colour icon (type 1) or cursor (type 2, hot spot 5,6) with a visible square.
inline std::vector<uint8_t> SmallIconFile(uint16_t type) {
    const uint32_t xorBytes = 16 * 32, andBytes = 4 * 32, image = 40 + 64 + xorBytes + andBytes;
    std::vector<uint8_t> b;
    auto u16 = [&](uint32_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    u16(0);
    u16(type);
    u16(1);
    b.push_back(32);
    b.push_back(32);
    b.push_back(16);
    b.push_back(0);
    u16(type == 2 ? 5 : 1);
    u16(type == 2 ? 6 : 4);
    u32(image);
    u32(22);
    u32(40);
    u32(32);
    u32(64);
    u16(1);
    u16(4);
    u32(0);
    u32(xorBytes + andBytes);
    u32(0);
    u32(0);
    u32(16);
    u32(0);
    for (uint32_t i = 0; i < 16; ++i) u32(i * 0x00101010u);
    for (uint32_t i = 0; i < xorBytes; ++i) b.push_back(0x9C);
    for (uint32_t row = 0; row < 32; ++row)
        for (int i = 0; i < 4; ++i) b.push_back(row < 8 ? 0xFF : 0x00);
    return b;
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    Win32FileSystem fs;
    return fs.WriteFile(path, bytes);
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    Win32FileSystem fs;
    std::vector<uint8_t> bytes;
    fs.ReadFile(path, 1 << 20, &bytes);
    return bytes;
}

// Runs a command line inside the prefix and returns what it printed.
inline std::string RunAndCapture(const std::string& command) {
    std::string out;
    FILE* p = _popen(command.c_str(), "r");
    if (!p) return out;
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    _pclose(p);
    return out;
}

}  // namespace vt::test
