// Window-free helpers of the browser's views: safe file names for names
// read from an image, extraction of nodes into a folder or the temp folder,
// the CF_HDROP block of dragged files, size texts and nodes of dropped files.
#pragma once

#include "browser/ImageFs.h"
#include "framework/Array.h"
#include "framework/StringArray.h"

#include <vector>

// A name from an image as one file name that stays inside its folder:
// separators, drive colons, control and reserved characters become '_',
// trailing dots and blanks are kept by a '_', ".", ".." and device names
// (CON, NUL, COM1, LPT1.TXT, ...) get a leading '_'.
CString MakeSafeFileName(LPCTSTR name);

// The text when it has at most maxBytes bytes, else its head and tail
// joined by "..." within maxBytes, never splitting a double-byte character.
CString ShortenForMessage(LPCTSTR text, int maxBytes);

// folder + separator + the node's safe name.
CString NodeTargetPath(LPCTSTR folder, const CFsNode* node);

// For each node in order: files are extracted into the folder under their
// safe names (disk files copied). The count of nodes, folders included;
// 0 when there are none or an extraction fails, which then gives the node,
// its target path and the extraction's result in the last three.
int ExtractNodesTo(CImageFs& fs, const CPtrArray& nodes, LPCTSTR folder, CFsNode** failed = NULL,
                   CString* failedTarget = NULL, int* error = NULL);

// Extracts each file node into the temp folder and adds the path of each
// success to paths. FALSE when there are no nodes.
BOOL ExtractNodesToTemp(CImageFs& fs, const CPtrArray& nodes, CStringArray& paths);

// The DROPFILES block of the paths (20-byte header, 8-bit names, each with
// its NUL, a final NUL), zero-padded to a multiple of 32 bytes.
void BuildDropFilesBlock(const CStringArray& paths, std::vector<BYTE>& block);

// "%03u Byte", "%0.2f KB", "%0.2f MB" or "%0.2f GB".
CString FormatSizeText(ULONGLONG size);

// A node for a file on disk; FALSE when its status cannot be read.
BOOL MakeDiskFileNode(LPCTSTR path, CFsNode& node, BYTE type);
