// Cleaner.dll: the shredding engine. One object, made by CreateCleaner, offers sixteen operations
// through a table of entry points in a fixed order (the interface below). Every operation uses
// the stdcall convention with the object as its first stack argument, and returns 0 for success
// or a Win32 error code, unless its description says otherwise. Texts are ANSI, in the system's
// code page.
//
// What shredding can and cannot do. DelFile overwrites every byte that the file system gives the
// file with random data, flushes it to the disk, truncates the file, renames it and deletes it.
// On a plain hard disk the old contents are then gone. It cannot reach:
//   - older copies that a solid-state disk or flash drive keeps in cells its wear levelling
//     retired: the drive writes the new data elsewhere and erases the old cells when it likes;
//   - the old clusters of compressed, sparse or encrypted files, which the file system may
//     reallocate on a write instead of overwriting in place;
//   - copies that other programs made: backups, shadow copies, the recycle bin, temporary and
//     swap files, caches and cloud folders;
//   - journals of journalling file systems, which can hold small files' data for a while.
#pragma once

#include <windows.h>

#include <cstdint>

#define CLEANER_CALL __stdcall

// Called for each file or folder that a search finds, with the caller's context and the full
// path. Returning 0 ends the search (the search then returns ERROR_CANCELLED).
typedef int32_t(CLEANER_CALL* CleanerFoundRoutine)(void* context, const char* path);

// Search flags.
constexpr int32_t kCleanerRecurse = 1;  // also search the sub-folders, depth first
// DelDir flags.
constexpr int32_t kCleanerKeepTop = 1;  // shred the tree but keep the (emptied) folder itself

// GetCurState results.
constexpr int32_t kCleanerIdle = 0;
constexpr int32_t kCleanerSearching = 1;
constexpr int32_t kCleanerShredding = 2;

// GetObjCurSize questions.
constexpr int32_t kCleanerCurrentFileKB = 0;  // size of the file being shredded, in KB
constexpr int32_t kCleanerWrittenKB = 1;      // KB written to it so far, all passes together
constexpr int32_t kCleanerFilesShredded = 2;  // files destroyed since Init

constexpr int32_t kCleanerMaxPasses = 35;

// The engine. Entry points in slot order 0..15; no destructor in the table: Release frees it.
struct CleanerEngine {
  // 0: readies the engine for work: clears a pending stop and the counters. Always 0.
  virtual int32_t CLEANER_CALL Init() = 0;
  // 1: gives up one reference; the object is freed when none is left. Returns the references
  // left.
  virtual int32_t CLEANER_CALL Release() = 0;
  // 2: the references held (CreateCleaner gives one).
  virtual int32_t CLEANER_CALL GetRefCount() = 0;
  // 3: adds a file-name type: files whose long name matches `pattern` ("*.tmp", wildcards as a
  // Windows search has them) are of type `tag` (not 0). ERROR_ALREADY_EXISTS for a pattern
  // already listed, ERROR_INVALID_PARAMETER for an empty pattern, one with a backslash, or tag 0.
  virtual int32_t CLEANER_CALL AddType(const char* pattern, int32_t tag) = 0;
  // 4: removes the type of `pattern`; ERROR_NOT_FOUND when it is not listed.
  virtual int32_t CLEANER_CALL DelType(const char* pattern) = 0;
  // 5: the tag of the first listed type whose pattern matches the name (or the last part of the
  // path) `name`; 0 when none matches.
  virtual int32_t CLEANER_CALL GetType(const char* name) = 0;
  // 6: empties the type list. Always 0.
  virtual int32_t CLEANER_CALL DelAllType() = 0;
  // 7: calls `found` for every file in `folder` whose long name matches `pattern`; an empty or
  // null pattern selects the files of a listed type (all files when the list is empty). Links to
  // folders are never entered. ERROR_PATH_NOT_FOUND when `folder` is no folder,
  // ERROR_CANCELLED when StopSearch or the routine ended it.
  virtual int32_t CLEANER_CALL SearchFile(const char* folder, const char* pattern, int32_t flags,
                                          CleanerFoundRoutine found, void* context) = 0;
  // 8: the same for folders (every sub-folder when the pattern is empty or null).
  virtual int32_t CLEANER_CALL SearchDir(const char* folder, const char* pattern, int32_t flags,
                                         CleanerFoundRoutine found, void* context) = 0;
  // 9: 1 when `path` names an existing file (not a folder), otherwise 0. One-byte result.
  virtual uint8_t CLEANER_CALL IsFileExist(const char* path) = 0;
  // 10: 1 when `path` names an existing folder, otherwise 0. One-byte result.
  virtual uint8_t CLEANER_CALL IsDirExist(const char* path) = 0;
  // 11: shreds every file of the folder tree with `passes` passes, then removes its folders
  // (the top one too, unless kCleanerKeepTop). Links are neither followed nor removed, so a
  // folder holding one stays. Goes on past failures; returns the first error.
  virtual int32_t CLEANER_CALL DelDir(const char* folder, int32_t passes, int32_t flags) = 0;
  // 12: destroys one file: overwrites its whole allocated length (and its alternate data
  // streams) `passes` times with random data, each pass flushed to the disk, then truncates it,
  // renames it to a random name of the same length and deletes it. A folder, a link or a missing
  // path is refused and nothing is touched; a file that cannot be opened exclusively (another
  // program holds it), overwritten or deleted stays where it is and its error is returned.
  virtual int32_t CLEANER_CALL DelFile(const char* path, int32_t passes) = 0;
  // 13: asks a search running on another thread to end at its next entry. Always 0.
  virtual int32_t CLEANER_CALL StopSearch() = 0;
  // 14: kCleanerIdle, kCleanerSearching or kCleanerShredding; may be asked from any thread.
  virtual int32_t CLEANER_CALL GetCurState() = 0;
  // 15: progress figures (kCleanerCurrentFileKB...); -1 for an unknown question. Any thread.
  virtual int32_t CLEANER_CALL GetObjCurSize(int32_t question) = 0;

 protected:
  ~CleanerEngine() = default;
};

extern "C" {
// Makes a new engine holding one reference. `version` is 8227, the interface above; any other
// value gives null.
CleanerEngine* CLEANER_CALL CreateCleaner(int32_t version);
}
