// Files: share mode 0 keeps every other open out (locks are per open, so one process shows
// it as well as two), the creation dispositions and their errors, and delete and move with
// the device's rules.
#include "device.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The host's view of a file, beside the platform's ReadFile and WriteFile.
std::string Contents(const std::string& path) { return testsupport::ReadFile(path); }
void Put(const std::string& path, const std::string& bytes) { testsupport::WriteFile(path, bytes); }

class PlatformFile : public ::testing::Test {
protected:
    std::wstring Device(const std::string& name) const {
        std::wstring path;
        for (char c : folder.Dir() + "/" + name) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
        return path;
    }
    std::string Host(const std::string& name) const { return folder.Dir() + "/" + name; }
    HANDLE Open(const std::string& name, DWORD access, DWORD share, DWORD disposition) const {
        return CreateFileW(Device(name).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    testsupport::EmulatedDevice folder;  // a temporary folder
};

TEST_F(PlatformFile, AFileOpenWithoutSharingCannotBeOpenedReplacedDeletedOrMoved) {
    Put(Host("a"), "old");
    const HANDLE held = Open("a", GENERIC_READ, 0, OPEN_EXISTING);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EXPECT_EQ(Open("a", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Open("a", GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(DeleteFileW(Device("a").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(MoveFileW(Device("a").c_str(), Device("b").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Contents(Host("a")), "old") << "a refused CREATE_ALWAYS truncates nothing";

    EXPECT_TRUE(CloseHandle(held));
    const HANDLE again = Open("a", GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_NE(again, INVALID_HANDLE_VALUE) << "closing releases the file";
    CloseHandle(again);
}

TEST_F(PlatformFile, SharedOpensCoexistButKeepAnOpenWithoutSharingOut) {
    Put(Host("a"), "x");
    const HANDLE first = Open("a", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    const HANDLE second = Open("a", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(first, INVALID_HANDLE_VALUE);
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open("a", GENERIC_READ, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    CloseHandle(first);
    CloseHandle(second);
}

TEST_F(PlatformFile, DispositionsAndTheirErrors) {
    EXPECT_EQ(Open("missing", GENERIC_READ, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Open("nofolder/a", GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));

    Put(Host("a"), "old text");
    EXPECT_EQ(Open("a", GENERIC_WRITE, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));

    HANDLE h = Open("a", GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    DWORD count = 0;
    EXPECT_TRUE(WriteFile(h, "new", 3, &count, nullptr));
    EXPECT_EQ(count, 3u);
    CloseHandle(h);
    EXPECT_EQ(Contents(Host("a")), "new") << "CREATE_ALWAYS empties the file";

    h = Open("a", GENERIC_READ, 0, OPEN_EXISTING);
    char buffer[16] = {};
    EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer - 1, &count, nullptr));
    EXPECT_EQ(std::string(buffer, count), "new");
    EXPECT_FALSE(WriteFile(h, "x", 1, &count, nullptr)) << "a read-only handle does not write";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    CloseHandle(h);
    EXPECT_FALSE(ReadFile(h, buffer, 1, &count, nullptr)) << "a closed handle";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST_F(PlatformFile, MoveKeepsAnExistingNameAndDeleteRemoves) {
    Put(Host("a"), "A");
    Put(Host("b"), "B");
    EXPECT_FALSE(MoveFileW(Device("a").c_str(), Device("b").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(Contents(Host("b")), "B");

    EXPECT_TRUE(DeleteFileW(Device("b").c_str()));
    EXPECT_TRUE(MoveFileW(Device("a").c_str(), Device("b").c_str()));
    EXPECT_EQ(Contents(Host("b")), "A");
    EXPECT_FALSE(MoveFileW(Device("a").c_str(), Device("c").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileW(Device("a").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

}  // namespace
