// Window-free work of the browser's commands: the extension rule of saved
// images, the rules for dropped files, the save of dropped files as a new
// image (optionally zipped) and the replace-on-success write of built images.
#pragma once

#include "browser/ImageFs.h"
#include "framework/Array.h"

// The path with ".zmn" appended when it holds no dot anywhere.
CString AddImageExtension(LPCTSTR path);

// The folder that takes dropped files: the selected row's node (its folder
// when the row is a file), else the drop target; NULL when there is neither.
CFsNode* DropFolderFor(CFsNode* selectedRow, CFsNode* dropTarget);

enum DropResult { DROP_ADDED,
                  DROP_READ_ONLY,
                  DROP_FOLDER,
                  DROP_DUPLICATE,
                  DROP_UNREADABLE };

// Inserts the dropped file under the folder unless refused: read-only image,
// a folder, a name the folder already holds (case-insensitively, as one
// folder on disk would), or a path whose status cannot be read.
DropResult AddDroppedFile(CImageFs& fs, CFsNode* folder, LPCTSTR path, BOOL readOnly, CFsNode** added);

// Writes a zip holding the image under its base name; the zip is written
// beside its target first and replaces it only when complete.
BOOL ZipImageFile(LPCTSTR zipPath, LPCTSTR imagePath);

enum SaveResult {
    SAVE_NO_FILES,
    SAVE_READ_ONLY,
    SAVE_EXTRACT_FAILED,
    SAVE_BUILD_FAILED,
    SAVE_CREATED,
    SAVE_ZIPPED,
    SAVE_ZIP_FAILED
};

// The file a failed save names and why (a CImageFs::OPEN_ reason).
struct SaveProblem {
    CString file;
    int reason = CImageFs::OPEN_OK;
};

// Extracts the file nodes into a staging folder (removed again whatever the
// result), builds the image at AddImageExtension(chosenPath) named after the
// image's root, and with compress zips it to "<image>.zip" and deletes the
// plain image. imagePath receives the image's path; a failure fills problem.
SaveResult SaveNodesAsImage(CImageFs& fs, const CPtrArray& nodes, LPCTSTR chosenPath, BOOL readOnly,
                            BOOL compress, CString& imagePath, SaveProblem* problem = NULL);

// The message the frame shows for a result that names no file.
LPCTSTR SaveResultText(SaveResult result);
