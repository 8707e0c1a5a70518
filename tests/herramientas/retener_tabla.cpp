// SPDX-License-Identifier: EUPL-1.2
// Windows only: holds a file open, unshared and locked whole, as another
// program would, until its standard input ends. Prints "retenida" once held.
#include <cstdio>

#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    const HANDLE h = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    OVERLAPPED o{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &o))
        return 1;
    std::puts("retenida");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseHandle(h);
    return 0;
}
