#include "processing/ProcessAlbums.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "platform/FileNames.h"
#include "processing/ArrivedPictures.h"
#include "processing/Companions.h"
#include "processing/LeftoverTemporaries.h"
#include "processing/PictureTransfer.h"
#include "processing/ReplaceGuard.h"
#include "processing/ReportSystemError.h"
#include "processing/RunTargets.h"
#include "processing/TargetNames.h"

namespace lumora {
namespace {

// The file bar's range is 16-bit.
constexpr int64_t kFileBarLimit = 65535;

class Run {
  public:
    Run(const PictureList& pictures, const ProcessSettings& settings,
        const ProcessServices& services, ProcessReport& report)
        : pictures_(pictures),
          settings_(settings),
          services_(services),
          context_{services.fileSystem, services.prompter, services.listener, &conflicts_,
                   settings.planOnly ? nullptr : services.journal},
          guard_(services.fileSystem, pictures),
          arrived_(services.fileSystem, guard_),
          companions_(services.fileSystem, pictures, guard_, report, settings.bringCompanions,
                      settings.moveMode == 1),
          report_(report) {}

    // False when the album was given up.
    bool processAlbum(const Album& album) {
        services_.upper.setStatus("Processing album: " + album.name);
        services_.lower.setRange(0,
                                 std::min<int64_t>(std::max(album.pictureCount, 0), kFileBarLimit));
        services_.lower.setPosition(0);
        services_.lower.setStep(1);
        firstPicture_ = true;
        madeFolders_.clear();
        for (size_t i = 0; i < pictures_.size(); ++i) {
            const PictureEntry& picture = pictures_[i];
            if (picture.albumId != album.id) continue;
            if (stopRequested()) {
                // Between two pictures: the album stays unprocessed, what
                // it already transferred stays where it went.
                stopped = true;
                noteNotReached(album.id, i);
                removeEmptyMadeFolders();
                return false;
            }
            if (!processPicture(album, picture)) {
                noteNotReached(album.id, i + 1);
                removeEmptyMadeFolders();
                return false;
            }
        }
        return true;
    }

    // Every picture of the album from index on, as never reached.
    void noteNotReached(int32_t albumId, size_t from) {
        for (size_t i = from; i < pictures_.size(); ++i) {
            if (pictures_[i].albumId != albumId) continue;
            report_.untransferred.push_back(
                {pictures_[i].path, std::string(), albumId, FileOutcome::NotReached});
        }
    }

    bool stopRequested() const { return services_.stop != nullptr && services_.stop->requested(); }

    int continueFlag = 1;
    bool stopped = false;

  private:
    // False when the album is given up at this picture.
    bool processPicture(const Album& album, const PictureEntry& picture) {
        const std::string title = fileTitle(picture.path);
        services_.lower.setStatus((settings_.moveMode == 1 ? "Moving..." : "Copying...") + title +
                                  ".jpg");
        const std::string folder = albumTargetFolder(album, settings_.targetDirectory);
        if (firstPicture_) {
            firstPicture_ = false;
            if (!prepareFolders(album, folder)) {
                report_.untransferred.push_back(
                    {picture.path, std::string(), album.id, FileOutcome::GivenUp});
                return false;
            }
        }
        const std::string name =
            targetFileName(album, picture, settings_.dateFormat, settings_.timeFormat);
        if (!isPlainFileName(name)) return leaveInPlace(picture, name, album.id);
        const std::string target = targets_.claim(folder, name);
        noteSizeChange(picture);
        const ExistingTarget existing = guard_.classify(picture.path, target);
        if (existing != ExistingTarget::ItsOwnSource) {
            const std::string whole = arrived_.claim(folder, picture.path, picture.fileSize);
            if (!whole.empty()) return noteArrived(album, picture, whole);
        }
        if (settings_.planOnly && existing != ExistingTarget::Protected) {
            return planPicture(picture, target, album.id, existing);
        }
        switch (existing) {
            case ExistingTarget::ItsOwnSource:
            case ExistingTarget::WholeCopy:
                return placedBefore(picture, target, album.id);
            case ExistingTarget::Protected:
                report_.untransferred.push_back(
                    {picture.path, target, album.id, FileOutcome::TargetIsPicture});
                services_.lower.step();
                return true;
            case ExistingTarget::None:
            case ExistingTarget::Replaceable:
                break;
        }
        continueFlag = 1;
        int fileAnswer = 0;
        ErrorCode sourceError = kErrorSuccess;
        bool placed =
            settings_.moveMode == 1
                ? movePicture(context_, picture.path, target, continueFlag, fileAnswer, sourceError)
                : copyPicture(context_, picture.path, target, continueFlag, fileAnswer);
        const bool pairKept = placed && !companions_.follow(context_, picture, target,
                                                            companions_.of(picture, target), true,
                                                            album.id, continueFlag);
        if (pairKept) placed = false;
        if (placed) {
            ++report_.filesTransferred;
            guard_.notePlaced(target);
            if (sourceError != kErrorSuccess)
                report_.keptSources.push_back({picture.path, sourceError});
        }
        if (continueFlag == 0) {
            if (!placed) {
                report_.untransferred.push_back(
                    {picture.path, target, album.id, FileOutcome::GivenUp});
            }
            return false;
        }
        if (!placed) {
            FileIdentity identity;
            const FileOutcome why = pairKept ? FileOutcome::PairKept
                                    : services_.fileSystem.identify(picture.path, identity)
                                        ? FileOutcome::Skipped
                                        : FileOutcome::Missing;
            report_.untransferred.push_back({picture.path, target, album.id, why});
        }
        services_.lower.step();
        return true;
    }

    // The album's folders, made at its first picture. False when the album
    // is given up: a name that is no plain name is refused before anything
    // is made.
    bool prepareFolders(const Album& album, const std::string& folder) {
        const std::vector<std::string> folders = albumFolders(album, settings_.targetDirectory);
        if (!albumNamesArePlain(album)) return giveUpBeforeStart(album, kErrorDirectory, folder);
        // A name the file system cannot take would give the album up at its
        // picture, after its folders were made: it is refused before.
        if (hasOverlongName(album, folders)) {
            return giveUpBeforeStart(album, kErrorFilenameExcedRange, folder);
        }
        if (settings_.planOnly) {
            for (const std::string& path : folders) {
                FileIdentity identity;
                report_.plannedFolders.push_back(
                    {path, services_.fileSystem.identify(path, identity)});
            }
            return true;
        }
        madeFolders_.clear();
        for (const std::string& path : folders) {
            int folderAnswer = 0;
            FileIdentity identity;
            const bool existed = services_.fileSystem.identify(path, identity);
            const bool inPlace = createAlbumFolder(context_, path, continueFlag, folderAnswer);
            if (inPlace && !existed) madeFolders_.push_back(path);
            if (continueFlag == 0) return false;
        }
        removeLeftoverTemporaries(services_.fileSystem, folder);
        return true;
    }

    // The folders this album made, when it was given up before anything
    // arrived in them: innermost first, and only while empty.
    void removeEmptyMadeFolders() {
        for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it) {
            services_.fileSystem.removeEmptyDirectory(*it);
        }
        madeFolders_.clear();
    }

    // A picture that was written to since the scan is transferred as it is
    // now, and reported. The file tells its size once it is open.
    void noteSizeChange(const PictureEntry& picture) {
        ErrorCode error = kErrorSuccess;
        const std::unique_ptr<InputFile> file = services_.fileSystem.openRead(picture.path, error);
        if (!file) return;
        const uint64_t size = file->facts().size;
        if (size != picture.fileSize) {
            report_.changedSinceScan.push_back({picture.path, picture.fileSize, size});
        }
    }

    // Gives the album up before anything of it is made, with the message
    // the file system's error would show; a preview only notes the reason.
    bool giveUpBeforeStart(const Album& album, ErrorCode error, const std::string& folder) {
        report_.forcedGiveUps.push_back({album.id, album.name, systemErrorText(error, folder)});
        if (!settings_.planOnly) {
            int folderAnswer = 0;
            context_.about(QuestionSubject::Folder);
            reportSystemError(error, continueFlag, folderAnswer, folder, services_.prompter);
        }
        continueFlag = 0;  // the message's only button gives the album up
        return false;
    }

    bool hasOverlongName(const Album& album, const std::vector<std::string>& folders) const {
        const auto tooLong = [](const std::string& path) {
            const size_t slash = lastPathSeparator(path);
            return path.size() - (slash == std::string::npos ? 0 : slash + 1) > kLongestNameBytes;
        };
        for (const std::string& path : folders) {
            if (tooLong(path)) return true;
        }
        return overlongNames.count(album.id) != 0;
    }

  public:
    // The albums with a picture whose new name is longer than a file system takes.
    std::unordered_set<int32_t> overlongNames;

  private:
    // A picture an earlier run already placed whole at `whole`: nothing is
    // copied again, and a move only removes the source.
    bool noteArrived(const Album& album, const PictureEntry& picture, const std::string& whole) {
        targets_.reserve(whole);
        if (settings_.planOnly) {
            return planPicture(picture, whole, album.id, ExistingTarget::WholeCopy);
        }
        // Its source goes only once its companions are there too.
        if (!companionsFollow(picture, whole, album.id)) return continueFlag != 0;
        ++report_.filesTransferred;
        report_.arrived.push_back({picture.path, whole});
        if (settings_.moveMode == 1) {
            JournalEntry entry(context_.journal,
                               context_.journal != nullptr
                                   ? context_.journal->sourceRemovalAbout(picture.path, whole)
                                   : 0);
            const ErrorCode error = services_.fileSystem.removeFile(picture.path);
            if (error != kErrorSuccess) report_.keptSources.push_back({picture.path, error});
            if (error == kErrorSuccess) entry.done("");
        }
        if (continueFlag == 0) return false;
        services_.lower.step();
        return true;
    }

    // A preview's line for the picture, followed by its companions' lines;
    // a move that would keep the pair at its source plans neither.
    bool planPicture(const PictureEntry& picture, const std::string& target, int32_t albumId,
                     ExistingTarget existing) {
        const size_t line = report_.plannedTransfers.size();
        report_.plannedTransfers.push_back({picture.path, target, albumId, existing});
        if (!companions_.plan(companions_.of(picture, target), albumId)) {
            report_.plannedTransfers.resize(line);
            report_.untransferred.push_back({picture.path, target, albumId, FileOutcome::PairKept});
        }
        services_.lower.step();
        return true;
    }

    // The companions of a picture that was at its target before this run
    // follow it there; false when the pair stays at the source (reported,
    // the bar stepped unless the album was given up).
    bool companionsFollow(const PictureEntry& picture, const std::string& target, int32_t albumId) {
        continueFlag = 1;
        if (companions_.follow(context_, picture, target, companions_.of(picture, target), false,
                               albumId, continueFlag)) {
            return true;
        }
        report_.untransferred.push_back(
            {picture.path, target, albumId,
             continueFlag == 0 ? FileOutcome::GivenUp : FileOutcome::PairKept});
        if (continueFlag != 0) services_.lower.step();
        return false;
    }

    // A picture that already stands at its target: its companions follow.
    bool placedBefore(const PictureEntry& picture, const std::string& target, int32_t albumId) {
        if (!companionsFollow(picture, target, albumId)) return continueFlag != 0;
        ++report_.filesTransferred;
        if (continueFlag == 0) return false;
        services_.lower.step();
        return true;
    }

    bool leaveInPlace(const PictureEntry& picture, const std::string& name, int32_t albumId) {
        if (!settings_.planOnly) {
            context_.about(QuestionSubject::File);
            char text[512];
            std::snprintf(text, sizeof text, kInvalidPictureNameText, name.c_str());
            services_.prompter.ask(text, kApplicationTitle, Buttons::Ok, Icon::Error);
        }
        report_.untransferred.push_back(
            {picture.path, std::string(), albumId, FileOutcome::InvalidName});
        services_.lower.step();
        return true;
    }

    const PictureList& pictures_;
    const ProcessSettings& settings_;
    const ProcessServices& services_;
    ConflictAnswers conflicts_;  // before context_, which points at it
    TransferContext context_;
    RunTargets targets_;
    ReplaceGuard guard_;
    ArrivedPictures arrived_;
    CompanionTransfer companions_;
    std::vector<std::string> madeFolders_;  // by the album at hand, outermost first
    ProcessReport& report_;
    bool firstPicture_ = true;
};

}  // namespace

std::string summaryText(int albumsVisited, int albumsFailed, int albumCount) {
    if (albumsFailed == 0) return std::to_string(albumsVisited) + " albums created succesfuly!";
    if (albumsFailed == albumsVisited) return kCanceledByUserText;
    return std::to_string(albumsVisited - albumsFailed) + " albums from " +
           std::to_string(albumCount) + " created succesfuly!";
}

std::string stoppedSummaryText(int albumsProcessed, int albumCount, int filesTransferred) {
    return "Stopped: " + std::to_string(albumsProcessed) + " of " + std::to_string(albumCount) +
           " albums processed, " + std::to_string(filesTransferred) +
           (filesTransferred == 1 ? " picture" : " pictures") + " transferred.";
}

ProcessReport processAlbums(AlbumList& albums, const PictureList& pictures,
                            const ProcessSettings& settings, const ProcessServices& services) {
    ProcessReport report;
    report.albumCount = static_cast<int>(albums.size());
    services.upper.setRange(0, report.albumCount);
    services.upper.setPosition(0);
    services.upper.setStep(1);
    Run run(pictures, settings, services, report);
    {
        std::unordered_map<int32_t, const Album*> byId;
        for (const Album& album : albums) {
            if (!album.processed) byId[album.id] = &album;
        }
        for (const PictureEntry& picture : pictures) {
            const auto found = byId.find(picture.albumId);
            if (found == byId.end()) continue;
            const std::string name =
                targetFileName(*found->second, picture, settings.dateFormat, settings.timeFormat);
            if (name.size() > kLongestNameBytes) run.overlongNames.insert(picture.albumId);
        }
    }
    const TransferContext context{services.fileSystem, services.prompter, services.listener};
    for (size_t index = 0; index < albums.size(); ++index) {
        Album& album = albums[index];
        if (run.stopRequested()) run.stopped = true;
        if (run.stopped) {
            for (size_t rest = index; rest < albums.size(); ++rest) {
                if (!albums[rest].processed) run.noteNotReached(albums[rest].id, 0);
            }
            break;
        }
        ++report.albumsVisited;
        if (album.processed) {
            if (settings.planOnly) {
                services.upper.step();
                continue;
            }
            context.about(QuestionSubject::Album);
            services.prompter.ask("Album '" + album.name + "' is processed. Skip to next album",
                                  kApplicationTitle, Buttons::Ok, Icon::None);
        } else {
            run.processAlbum(album);
        }
        if (run.stopped) {
            ++report.albumsFailed;
            continue;  // the loop's head notes the albums not reached
        }
        services.upper.step();
        if (run.continueFlag == 1) {
            if (!album.processed && !settings.planOnly) album.processed = 1;
            continue;
        }
        ++report.albumsFailed;
        const bool last = index + 1 == albums.size();
        if (last) break;
        if (settings.planOnly) {
            // A preview shows every album a run that goes on would reach.
            run.continueFlag = 1;
            continue;
        }
        context.about(QuestionSubject::Album);
        if (services.prompter.ask(kMoveToNextAlbumText, "", Buttons::YesNo, Icon::None) !=
            kAnswerYes) {
            for (size_t rest = index + 1; rest < albums.size(); ++rest) {
                if (!albums[rest].processed) run.noteNotReached(albums[rest].id, 0);
            }
            break;
        }
        run.continueFlag = 1;
    }
    report.stopped = run.stopped;
    if (report.stopped) {
        const auto processed = std::count_if(albums.begin(), albums.end(),
                                             [](const Album& album) { return album.processed; });
        report.summaryText = stoppedSummaryText(static_cast<int>(processed), report.albumCount,
                                                report.filesTransferred);
    } else {
        report.summaryText =
            summaryText(report.albumsVisited, report.albumsFailed, report.albumCount);
    }
    if (settings.planOnly) return report;
    services.upper.setStatus(
        report.summaryText +
        companionSummarySuffix(report.companionsTransferred, settings.moveMode == 1));
    services.lower.setStatus(kCloseWindowText);
    return report;
}

}  // namespace lumora
