#include <gtest/gtest.h>

#include "app/system/PolicyRestoreCommand.h"

namespace {

const std::wstring kSystem = L"C:\\Windows\\system32";

bool SameValue(const SavedRegistryValue& a, const SavedRegistryValue& b) {
    return a.present == b.present && (!a.present || (a.type == b.type && a.size == b.size &&
                                                     std::equal(a.data, a.data + a.size, b.data)));
}

}  // namespace

TEST(PolicyRestoreCommand, ADwordComesBackAsThatDwordAndIsReadBackSo) {
    EXPECT_EQ(PolicyRestoreCommand(kSystem, L"DisableTaskMgr", SavedDword(5)),
              L"\"C:\\Windows\\system32\\reg.exe\" add "
              L"\"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\" "
              L"/v DisableTaskMgr /t REG_DWORD /d 5 /f");
    for (std::uint32_t value : {0u, 1u, 0x12345678u, 0xFFFFFFFFu}) {
        const std::wstring command = PolicyRestoreCommand(L"D:\\Win dows\\sys", L"DisableLockWorkstation",
                                                          SavedDword(value));
        const std::optional<SavedRegistryValue> read = ReadPolicyRestoreCommand(command, L"DisableLockWorkstation");
        ASSERT_TRUE(read) << command;
        EXPECT_TRUE(SameValue(*read, SavedDword(value))) << command;
    }
}

TEST(PolicyRestoreCommand, NoValueOrAnotherTypeIsDeleted) {
    SavedRegistryValue text{};
    text.present = 1;
    text.type = 1;  // a string
    text.size = 4;
    text.data[0] = '1';
    SavedRegistryValue shortDword = SavedDword(1);
    shortDword.size = 2;
    const std::wstring deleting = L"\"C:\\Windows\\system32\\reg.exe\" delete "
                                  L"\"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\" "
                                  L"/v DisableTaskMgr /f";
    for (const SavedRegistryValue& before : {SavedRegistryValue{}, text, shortDword}) {
        EXPECT_EQ(PolicyRestoreCommand(kSystem, L"DisableTaskMgr", before), deleting);
    }
    const std::optional<SavedRegistryValue> read = ReadPolicyRestoreCommand(deleting, L"DisableTaskMgr");
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->present);
}

TEST(PolicyRestoreCommand, OnlyItsOwnCommandForThatValueIsRead) {
    const std::wstring command = PolicyRestoreCommand(kSystem, L"DisableTaskMgr", SavedDword(7));
    EXPECT_FALSE(ReadPolicyRestoreCommand(command, L"DisableLockWorkstation"));
    const std::wstring head = L"reg.exe add \"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\" "
                              L"/v DisableTaskMgr /t REG_DWORD /d ";
    for (const std::wstring& foreign :
         {std::wstring(), std::wstring(L"notepad.exe"), head + L"-1 /f", head + L"0x5 /f", head + L"4294967296 /f",
          head + L" /f", head + L"5", head + L"5 /f /f",
          std::wstring(L"reg.exe add \"HKCU\\Software\\Other\" /v DisableTaskMgr /t REG_DWORD /d 5 /f"),
          std::wstring(L"reg.exe add \"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\" "
                       L"/v DisableTaskMgr /t REG_SZ /d 5 /f")})
        EXPECT_FALSE(ReadPolicyRestoreCommand(foreign, L"DisableTaskMgr")) << foreign;
}
