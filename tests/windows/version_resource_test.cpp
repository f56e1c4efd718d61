// The version resources of the programs, read back from their files the way Windows reads them
// for a file's properties: every chromaflux.exe and chromaflux.scr in the build directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "version.h"

namespace {

bool IsProgram(const std::string& name) {
  const std::string::size_type dot = name.rfind('.');
  return dot != std::string::npos && (name.substr(dot) == ".exe" || name.substr(dot) == ".scr");
}

std::vector<std::string> ProgramsInBuildDirectory() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(CHROMAFLUX_PROGRAM_DIR "/chromaflux.*", &found);
  if (search == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    if (IsProgram(found.cFileName)) {
      names.emplace_back(found.cFileName);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// A value of the US English, Unicode string table; empty when it is missing.
std::string StringValue(std::vector<char>& info, const char* name) {
  const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return "";
  }
  return std::string(value);
}

TEST(VersionResource, EveryProgramCarriesTheProjectVersion) {
  const std::vector<std::string> programs = ProgramsInBuildDirectory();
  ASSERT_NE(std::find(programs.begin(), programs.end(), "chromaflux.exe"), programs.end());
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(kChromafluxVersion, "%u.%u.%u", &major, &minor, &patch), 3);

  for (const std::string& name : programs) {
    SCOPED_TRACE(name);
    const std::string path = std::string(CHROMAFLUX_PROGRAM_DIR "/") + name;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, (major << 16) | minor);
    EXPECT_EQ(fixed->dwFileVersionLS, patch << 16);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(StringValue(info, "FileVersion"), kChromafluxVersion);
    EXPECT_EQ(StringValue(info, "ProductVersion"), kChromafluxVersion);
    EXPECT_EQ(StringValue(info, "ProductName"), "Chromaflux");
    EXPECT_EQ(StringValue(info, "OriginalFilename"), name);
  }
}

}  // namespace
