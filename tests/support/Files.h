#pragma once
#include <windows.h>

#include <string>

// The folder holding the built quilmar.exe and TaskKeyHook.dll.
std::wstring DistDir();
// A new empty folder under the temporary folder; RemoveTree deletes it again.
std::wstring MakeTempDir();
void RemoveTree(const std::wstring& dir);
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
