#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "albums/AlbumList.h"
#include "albums/CameraClock.h"
#include "albums/EditState.h"
#include "albums/FilmSelection.h"
#include "albums/ThumbnailRemake.h"
#include "albums/ViewOptions.h"
#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "filters/FilterValueLists.h"
#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"
#include "platform/Time.h"

namespace lumora {

// The source or target field's text while no folder is chosen; callers
// compare against it instead of keeping a flag.
inline constexpr const char* kNotSelectedText = "Not Selected. Please select one first.";
inline constexpr const char* kWaitForInputText = "Wait for input...";
inline constexpr const char* kSameAsSourceText =
    "Target directory is the same as source directory!";
inline constexpr const char* kInsideSourceText =
    "Target directory is inside the source directory! The next scan of the source would list "
    "the album copies as new pictures, and saved sessions would no longer load. Please select a "
    "folder outside the source.";
inline constexpr const char* kOtherTargetCaption = "Please select other target directory";
// Asked before the folder browser for a new source while albums exist.
inline constexpr const char* kSourceChangeWarningText = "Albums and filters will be lost!";
// Ids are the last album's plus 1: only a loaded session can bring them to
// the largest 32-bit id.
inline constexpr const char* kNoAlbumIdLeftText =
    "No new album can follow the last album, whose id is the largest possible. Delete the last "
    "album first.";

// How the Edit Album dialog ended.
enum class DialogEnd { Save, Discard, Other };

// The program-wide values the main window owns, gathered in one object free
// of any user interface, with the main window's operations on them. The
// window and the command line drive it; duplicates, session and processing
// get the values they work on passed in from here.
class Workspace {
  public:
    explicit Workspace(FileSystem& fileSystem = realFileSystem(),
                       const Clock& clock = systemClock());
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Empties the picture, directory, film and removed lists and the filter's
    // value lists; status "Wait for input...", target not selected.
    void reset();

    // The scan command: reset, scan the source, set the counters and the
    // texts, and show the zero-date warning when a date was substituted.
    ScanOutcome scan(const std::string& source, Prompter& prompter, ProgressSink& progress);
    // Takes a scan made aside in `scanned` as if this workspace had made it
    // (the work of the old source is reset first); scanned gets the old lists.
    void adoptScan(PictureCatalog& scanned, const ScanOutcome& outcome);

    // Before the folder browser for a new source: with albums present, the
    // warning is asked and Cancel (false) ends the command. Nothing changes
    // here: a cancelled browser must leave the work as it was.
    bool confirmSourceChange(Prompter& prompter);
    // The folder chosen as source: the albums of the old one go, the folder
    // becomes the source text and is scanned.
    ScanOutcome setSource(const std::string& path, Prompter& prompter, ProgressSink& progress);
    // A folder chosen as target; refused (false) without a source, when it
    // is the source itself, or when it lies inside the source.
    bool selectTarget(const std::string& path, Prompter& prompter);
    // Whether path reaches the source folder or a folder below it, whatever
    // its text; says so when it does.
    bool refuseSourceAsTarget(const std::string& path, Prompter& prompter);

    // The command line leaves a target inside the source out of its scans
    // and sessions, so it may take one; the window never does.
    bool targetInsideSourceAllowed = false;

    // "Start from positive" (negative 0) or "Start from negative" (1): sets the
    // polarity, appends a new album and returns whether the Edit Album
    // dialog is to open. Refusals are shown through the prompter.
    bool startNewAlbum(int32_t negative, Prompter& prompter);
    // "Edit selected" on the album at index (-1: none selected). Returns
    // whether the Edit Album dialog is to open.
    bool startEditAlbum(int index, Prompter& prompter);
    // What the main window does when the Edit Album dialog has ended.
    void finishAlbumDialog(DialogEnd end, Prompter& prompter);
    // "Delete Album" for the album at index, after asking. False when nothing
    // was deleted.
    // After "Delete selected album?" answered OK; progress shows the film's
    // thumbnails being re-made (a negative film).
    bool deleteAlbumAt(int index, Prompter& prompter, ProgressSink& progress = nullProgress());

    // The album the Edit Album dialog works on; null when there is none.
    Album* currentAlbum();
    // Refills the film for the current album. checks: the open Advanced Filter
    // dialog's check boxes, absent while it is closed.
    FilmCounts selectFilm(const std::optional<CriterionFlags>& checks = std::nullopt);
    // The pictures in albums as the overall status line counts them.
    int picturesInAlbums(const FilmCounts& counts);

    // The numbering of the first film build, for callers that never build one.
    void assignPictureIds();

    PictureList& pictures() { return catalog.pictures(); }
    const Clock& clock() const { return clock_; }

    PictureCatalog catalog;
    AlbumList albums;
    FilmList film;
    EditState edit;
    FilterValueLists filterValues;
    ViewOptions viewOptions;
    int32_t filmBuilt = 0;
    int32_t dateFormat = 1;
    int32_t timeFormat = 1;
    int32_t excludeDuplicates = 0;
    int32_t duplicatesFound = 0;
    int32_t picturesAtScan = 0;
    float freedBytes = 0.0f;  // bytes of the pictures removed as duplicates
    PictureList removedPictures;
    // The camera clock corrections the pictures' times carry; they belong to
    // the scanned source and go with it.
    CameraClocks clocks;
    std::string targetDirectory;  // the target as processing uses it
    int32_t moveMode = 0;         // 0 copy, 1 move
    // "Bring companion files (RAW, sidecars, clips)": for this run of the
    // program only, never kept in a session.
    bool bringCompanions = true;
    std::string sourceText = kNotSelectedText;
    std::string targetText = kNotSelectedText;
    std::string statusText = kWaitForInputText;
    // "Start from positive", "Start from negative" and "Search for duplicates".
    bool albumMenusEnabled = false;
    // Re-makes one film thumbnail; set by the window, empty on the command line.
    RemakeThumbnail remakeThumbnail;
    // The session file the albums were last loaded from or saved to (empty:
    // none), named in the journal of a run; and the last run's journal
    // ("" when it wrote none, journalProblem then saying why, if it tried).
    std::string sessionFile;
    std::string lastJournal;
    std::string journalProblem;

  private:
    void noteScan(const ScanOutcome& outcome);
    bool openAlbumDialog(Prompter& prompter);
    void leaveEditMode();

    const Clock& clock_;
};

}  // namespace lumora
