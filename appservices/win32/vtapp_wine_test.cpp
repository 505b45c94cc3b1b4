// VTAPP's settings through its ordinals, checked against the registry itself (advapi32) and
// against Wine's own reg.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appservices/win32/vtapp.h"

namespace {

const char* const kTestKey = "Wine Test";

std::string Path(const char* section) {
    std::string p = "Software\\Kelvane\\Vantoro 98";
    if (section && *section) p += std::string("\\") + section;
    return p + "\\" + kTestKey;
}

// The raw value as the registry holds it.
bool RawValue(const char* section, const char* name, DWORD* type, std::vector<BYTE>* data) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data->resize(size);
        ok = RegQueryValueExA(key, name, nullptr, type, data->data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return ok;
}

// Runs Wine's reg.exe and returns what it printed.
std::string RegQuery(const std::string& key) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return {};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    std::string cmd = "reg.exe query \"HKCU\\" + key + "\"";
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back(0);
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  nullptr, &si, &pi);
    CloseHandle(writeEnd);
    std::string out;
    if (started) {
        char buf[4096];
        DWORD n;
        while (ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    return out;
}

class VtAppSettingsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(VtAppSettingsTest, TextWriteReadDelete) {
    const char* section = GetParam();
    ASSERT_TRUE(VtWriteSetting(section, kTestKey, "Color B Mode", "1", 0));

    DWORD type = 0;
    std::vector<BYTE> raw;
    ASSERT_TRUE(RawValue(section, "Color B Mode", &type, &raw));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(raw.begin(), raw.end()), std::string("1", 2));  // with its terminator

    char buf[64] = "stale";
    EXPECT_EQ(VtReadSetting(section, kTestKey, "Color B Mode", buf, sizeof buf), 1u);
    EXPECT_STREQ(buf, "1");

    ASSERT_TRUE(VtDeleteSetting(section, kTestKey, "Color B Mode"));
    EXPECT_FALSE(RawValue(section, "Color B Mode", &type, &raw));
    strcpy(buf, "stale");
    EXPECT_EQ(VtReadSetting(section, kTestKey, "Color B Mode", buf, sizeof buf), 0u);
    EXPECT_EQ(buf[0], 0) << "an absent value leaves the buffer empty";
}

TEST_P(VtAppSettingsTest, StateRecordRoundTripsAsBinary) {
    const char* section = GetParam();
    std::vector<BYTE> state(912);
    for (size_t i = 0; i < state.size(); ++i) state[i] = static_cast<BYTE>(i * 7 + 3);
    state[100] = 0;  // binary data may hold zeros anywhere
    ASSERT_TRUE(VtWriteSetting(section, kTestKey, "State", state.data(), 912));

    DWORD type = 0;
    std::vector<BYTE> raw;
    ASSERT_TRUE(RawValue(section, "State", &type, &raw));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(raw, state);

    std::vector<BYTE> back(912);
    EXPECT_EQ(VtReadSetting(section, kTestKey, "State", back.data(), 912), 912u);
    EXPECT_EQ(back, state);

    // A reader expecting less than what is stored gets nothing rather than a cut record.
    std::vector<BYTE> small(28, 0xEE);
    EXPECT_EQ(VtReadSetting(section, kTestKey, "State", small.data(), 28), 0u);
    EXPECT_EQ(small[0], 0);
    EXPECT_EQ(small[1], 0xEE);
    VtDeleteSetting(section, kTestKey, "State");
}

INSTANTIATE_TEST_SUITE_P(Sections, VtAppSettingsTest,
                         ::testing::Values("Studio", "Animator", "Librarian", "Engineer", ""),
                         [](const auto& info) { return *info.param ? std::string(info.param) : std::string("None"); });

TEST(VtAppSettings, RegExeSeesWhatWeWrote) {
    ASSERT_TRUE(VtWriteSetting("Studio", kTestKey, "MRU1", "C:\\icons\\a.ico,1", 0));
    std::string out = RegQuery(Path("Studio"));
    EXPECT_NE(out.find("MRU1"), std::string::npos) << out;
    EXPECT_NE(out.find("REG_SZ"), std::string::npos) << out;
    EXPECT_NE(out.find("C:\\icons\\a.ico,1"), std::string::npos) << out;
    VtDeleteSetting("Studio", kTestKey, "MRU1");
    out = RegQuery(Path("Studio"));
    EXPECT_EQ(out.find("MRU1"), std::string::npos) << out;
}

TEST(VtAppSettings, OverlongTextIsNotCut) {
    std::string longText(300, 'x');
    ASSERT_TRUE(VtWriteSetting("Librarian", kTestKey, "Long", longText.c_str(), 0));
    char buf[260];
    memset(buf, 'q', sizeof buf);
    EXPECT_EQ(VtReadSetting("Librarian", kTestKey, "Long", buf, sizeof buf), 0u);
    EXPECT_EQ(buf[0], 0);
    std::vector<char> big(301);
    EXPECT_EQ(VtReadSetting("Librarian", kTestKey, "Long", big.data(), 301), 300u);
    EXPECT_EQ(std::string(big.data()), longText);
    VtDeleteSetting("Librarian", kTestKey, "Long");
}

TEST(VtAppServices, FontsAndCodePage) {
    HFONT dialog = nullptr, status = nullptr;
    VtCreateFonts(&dialog, &status);
    EXPECT_NE(dialog, nullptr);
    EXPECT_NE(status, nullptr);
    LOGFONTA lf{};
    EXPECT_GT(GetObjectA(dialog, sizeof lf, &lf), 0);
    DeleteObject(dialog);
    DeleteObject(status);
    HFONT only = nullptr;
    VtCreateFonts(&only, nullptr);
    EXPECT_NE(only, nullptr);
    DeleteObject(only);

    CPINFO info;
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    EXPECT_EQ(VtIsMultiByteCodePage() != FALSE, info.MaxCharSize > 1);
    VtSetProgramFolder("C:\\Program Files\\Vantoro");
}

TEST(VtAppExports, OrdinalsOnlyNoNames) {
    HMODULE dll = GetModuleHandleA("VTAPP.DLL");
    ASSERT_NE(dll, nullptr);
    for (int ordinal : {1, 2, 3, 6, 7, 8, 12, 13})
        EXPECT_NE(GetProcAddress(dll, MAKEINTRESOURCEA(ordinal)), nullptr) << "ordinal " << ordinal;
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(4)), nullptr);
    EXPECT_EQ(GetProcAddress(dll, "VtReadSetting"), nullptr);
}

}  // namespace
