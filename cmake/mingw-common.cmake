set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Fully static: without -static the program still needs libwinpthread-1.dll and fails to start.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Tests of Windows executables run under Wine, with the loader this machine can run; where it runs
# no 32-bit programs, the i686 tests exit 77 and are reported as skipped.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-run)
