#include "app/Workspace.h"

#include "albums/AlbumCommit.h"
#include "albums/PictureIds.h"
#include "albums/PictureSort.h"
#include "platform/WithinFolder.h"

namespace lumora {
namespace {

void tell(Prompter& prompter, const char* text, const char* caption = "", Icon icon = Icon::None) {
    prompter.ask(text, caption, Buttons::Ok, icon);
}

}  // namespace

Workspace::Workspace(FileSystem& fileSystem, const Clock& clock)
    : catalog(fileSystem), clock_(clock) {}

void Workspace::reset() {
    catalog.clearPictures();
    catalog.clearDirectories();
    // The window drops its film image list with the pictures it showed.
    filmBuilt = 0;
    film.clear();
    removedPictures.clear();
    clocks.clear();
    clearValueLists(filterValues, CriterionFlags{});
    statusText = kWaitForInputText;
    targetText = kNotSelectedText;
}

ScanOutcome Workspace::scan(const std::string& source, Prompter& prompter, ProgressSink& progress) {
    reset();
    const ScanOutcome outcome = runScanCommand(catalog, source, prompter, progress);
    noteScan(outcome);
    if (!outcome.warningText.empty()) tell(prompter, outcome.warningText.c_str());
    return outcome;
}

void Workspace::adoptScan(PictureCatalog& scanned, const ScanOutcome& outcome) {
    reset();
    catalog.swapScan(scanned);
    noteScan(outcome);
}

void Workspace::noteScan(const ScanOutcome& outcome) {
    filmBuilt = 0;
    // The scan's own text first, then how many files it left out.
    statusText = statusWithLeftOut(outcome);
    picturesAtScan = outcome.pictureCount;
    duplicatesFound = 0;
    freedBytes = 0.0f;
    albumMenusEnabled = outcome.albumMenusEnabled;
}

bool Workspace::confirmSourceChange(Prompter& prompter) {
    if (albums.empty()) return true;
    return prompter.ask(kSourceChangeWarningText, "Warning", Buttons::OkCancel, Icon::None) ==
           kAnswerOk;
}

ScanOutcome Workspace::setSource(const std::string& path, Prompter& prompter,
                                 ProgressSink& progress) {
    // The albums name pictures of the old source by id only.
    albums.clear();
    leaveEditMode();
    sourceText = path;
    return scan(path, prompter, progress);
}

bool Workspace::refuseSourceAsTarget(const std::string& path, Prompter& prompter) {
    // The same folder reached through another text ("SRC/", "./SRC", a link)
    // is the source all the same: every rerun would copy the copies again.
    FileSystem& fileSystem = catalog.fileSystem();
    if (sameFile(fileSystem, path, sourceText)) {
        tell(prompter, kSameAsSourceText, kOtherTargetCaption, Icon::Error);
        return true;
    }
    if (!targetInsideSourceAllowed && isWithinFolder(fileSystem, path, sourceText)) {
        tell(prompter, kInsideSourceText, kOtherTargetCaption, Icon::Error);
        return true;
    }
    return false;
}

bool Workspace::selectTarget(const std::string& path, Prompter& prompter) {
    if (sourceText == kNotSelectedText) {
        tell(prompter, "Please select source directory first!", "Select target directory",
             Icon::Error);
        return false;
    }
    if (refuseSourceAsTarget(path, prompter)) return false;
    targetText = path;
    targetDirectory = path;
    return true;
}

bool Workspace::startNewAlbum(int32_t negative, Prompter& prompter) {
    if (edit.negativeFilm != negative) edit.polarityChanged = 1;
    edit.negativeFilm = negative;
    return openAlbumDialog(prompter);
}

bool Workspace::startEditAlbum(int index, Prompter& prompter) {
    if (index < 0 || static_cast<size_t>(index) >= albums.size()) {
        tell(prompter, "Please select an album from Albums List first.");
        return false;
    }
    const Album& album = albums[static_cast<size_t>(index)];
    edit.editMode = 1;
    edit.editedAlbumId = album.id;
    edit.savedNegativeFilm = edit.negativeFilm;
    edit.openedStartTime = album.startTime;
    edit.openedEndTime = album.endTime;
    edit.joinedAfterClear.clear();
    if (album.processed) tell(prompter, "Album is already processed and cannot be modified!");
    edit.negativeFilm = 0;
    return openAlbumDialog(prompter);
}

bool Workspace::openAlbumDialog(Prompter& prompter) {
    PictureList& list = pictures();
    if (list.empty()) {
        tell(prompter, "Source folder does not contain any pictures supported by Lumora");
        // Nothing opens, so an edit that was starting must not stay half set.
        if (edit.editMode) {
            edit.negativeFilm = edit.savedNegativeFilm;
            leaveEditMode();
        }
        return false;
    }
    sortPictures(list, kSortByDate, false);
    for (PictureEntry& entry : list) entry.isNegative = edit.negativeFilm;
    if (edit.editMode) {
        dropLeftoverFilm(film, edit.negativeFilm, remakeThumbnail);
        return true;
    }

    if (nextAlbumId(albums) == 0) {
        tell(prompter, kNoAlbumIdLeftText);
        return false;
    }
    refillFilmForNewAlbum(list, film, edit.negativeFilm, remakeThumbnail);
    if (!albums.empty() && film.empty()) {
        tell(prompter,
             "Picture List is empty.All pictures are in albums. Double click on any album's "
             "name from Album List to view album's pictures");
        return false;
    }
    appendNewAlbum(albums);
    edit.joinedAfterClear.clear();
    return true;
}

void Workspace::finishAlbumDialog(DialogEnd end, Prompter& prompter) {
    if (edit.editMode) {
        // Cancel is taken as Discard: it would otherwise leave pictures marked
        // as pending, in no album and in no film.
        edit.negativeFilm = edit.savedNegativeFilm;
        commitAlbum(pictures(), film, albums, edit,
                    end == DialogEnd::Save ? CommitKind::Save : CommitKind::Discard,
                    remakeThumbnail);
        leaveEditMode();
        return;
    }
    Album* album = currentAlbum();
    if (!album) return;
    if (end == DialogEnd::Save) {
        if (album->hasRange()) {
            commitAlbum(pictures(), film, albums, edit, CommitKind::Save, remakeThumbnail);
            album->unsaved = 0;
        } else {
            // Dropped as a Discard drops it, so that its exclusions neither
            // stay on the pictures nor come back in the next album's film.
            commitAlbum(pictures(), film, albums, edit, CommitKind::Discard, remakeThumbnail);
            tell(prompter, "Start or end date not set.Album not saved.");
        }
    } else if (end == DialogEnd::Discard) {
        commitAlbum(pictures(), film, albums, edit, CommitKind::Discard, remakeThumbnail);
    }
}

void Workspace::leaveEditMode() {
    edit.editMode = 0;
    edit.editedAlbumId = 0;
    edit.joinedAfterClear.clear();
}

bool Workspace::deleteAlbumAt(int index, Prompter& prompter, ProgressSink& progress) {
    if (index < 0 || static_cast<size_t>(index) >= albums.size()) return false;
    if (prompter.ask("Delete selected album?", "Delete Album", Buttons::OkCancel, Icon::None) !=
        kAnswerOk) {
        return false;
    }
    return deleteAlbum(pictures(), albums, albums[static_cast<size_t>(index)].id, edit.negativeFilm,
                       remakeThumbnail, progress);
}

Album* Workspace::currentAlbum() {
    return lumora::currentAlbum(albums, edit);
}

FilmCounts Workspace::selectFilm(const std::optional<CriterionFlags>& checks) {
    Album* album = currentAlbum();
    if (!album) return FilmCounts{};
    FilmRules rules;
    rules.editMode = edit.editMode != 0;
    rules.excludeDuplicates = excludeDuplicates;
    rules.view = viewOptions;
    rules.filterChecks = checks;
    return selectFilmPictures(pictures(), film, *album, rules, edit);
}

int Workspace::picturesInAlbums(const FilmCounts& counts) {
    if (edit.editMode) {
        int total = 0;
        for (const Album& album : albums) total += album.pictureCount;
        return total;
    }
    const Album* album = currentAlbum();
    return counts.inOtherAlbums + (album ? album->pictureCount : 0);
}

void Workspace::assignPictureIds() {
    lumora::assignPictureIds(pictures());
}

}  // namespace lumora
