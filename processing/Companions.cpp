#include "processing/Companions.h"

#include "catalog/CompanionNames.h"
#include "processing/ArrivedPictures.h"

namespace lumora {
namespace {

// The folder part of a path ("" for a name in the file-system root) and the
// name after it.
void splitPath(const std::string& path, std::string& folder, std::string& name) {
    const size_t slash = lastPathSeparator(path);
    if (slash == std::string::npos) {
        folder.clear();
        name = path;
        return;
    }
    folder = path.substr(0, slash);
    name = path.substr(slash + 1);
}

bool exists(FileSystem& fileSystem, const std::string& path) {
    FileIdentity identity;
    return fileSystem.identify(path, identity);
}

}  // namespace

const std::vector<std::string>& CompanionLookup::of(const std::string& picturePath) {
    static const std::vector<std::string> kNone;
    listFolderOnce(picturePath);
    const auto found = found_.find(picturePath);
    return found == found_.end() ? kNone : found->second;
}

bool CompanionLookup::isListedCompanion(const std::string& path) {
    listFolderOnce(path);
    return companions_.count(path) != 0;
}

void CompanionLookup::listFolderOnce(const std::string& path) {
    std::string folder, name;
    splitPath(path, folder, name);
    if (listed_[folder]) return;
    listed_[folder] = true;
    listFolder(folder);
}

void CompanionLookup::listFolder(const std::string& folder) {
    if (!gathered_) {
        gathered_ = true;
        std::string pictureFolder, name;
        for (const PictureEntry& picture : pictures_) {
            splitPath(picture.path, pictureFolder, name);
            picturesByFolder_[pictureFolder].push_back(name);
        }
    }
    std::vector<DirectoryEntry> entries;
    const std::string listing = folder.empty() ? std::string(1, kPathSeparator) : folder;
    if (fileSystem_.listDirectory(listing, entries) != kErrorSuccess) return;
    std::vector<std::string> candidates;
    for (DirectoryEntry& entry : entries) {
        if (entry.isDirectory || entry.isSpecialFile || !hasCompanionExtension(entry.name))
            continue;
        candidates.push_back(std::move(entry.name));
    }
    if (candidates.empty()) return;
    const std::vector<std::string>& pictureNames = picturesByFolder_[folder];
    const std::vector<std::vector<std::string>> paired = pairCompanions(pictureNames, candidates);
    for (size_t i = 0; i < paired.size(); ++i) {
        if (paired[i].empty()) continue;
        std::vector<std::string>& paths = found_[joinPath(folder, pictureNames[i])];
        for (const std::string& companion : paired[i]) {
            paths.push_back(joinPath(folder, companion));
            companions_.insert(paths.back());
        }
    }
}

std::vector<CompanionFile> companionTargets(const std::string& picturePath,
                                            const std::vector<std::string>& companionPaths,
                                            const std::string& pictureTarget) {
    std::string sourceFolder, pictureName, targetFolder, newName, companionFolder, companionName;
    splitPath(picturePath, sourceFolder, pictureName);
    splitPath(pictureTarget, targetFolder, newName);
    std::vector<CompanionFile> companions;
    companions.reserve(companionPaths.size());
    for (const std::string& path : companionPaths) {
        splitPath(path, companionFolder, companionName);
        companions.push_back(
            {path,
             joinPath(targetFolder, companionTargetName(pictureName, companionName, newName))});
    }
    return companions;
}

ErrorCode moveBack(const TransferContext& context, const std::string& target,
                   const std::string& source) {
    FileSystem& fileSystem = context.fileSystem;
    // The source never left: what stands at the target is a copy of it.
    const bool copied = exists(fileSystem, source);
    if (copied && !sameBytes(fileSystem, source, target)) return kErrorAlreadyExists;
    JournalEntry entry(context.journal, context.journal != nullptr
                                            ? context.journal->moveBackAbout(target, source)
                                            : 0);
    // A plain move never replaces a file that stands at the source by now.
    const ErrorCode error = copied ? fileSystem.removeFile(target)
                                   : fileSystem.moveFile(target, source, kMoveCopyAllowed);
    if (error == kErrorSuccess) entry.done("");
    return error;
}

std::vector<CompanionFile> CompanionTransfer::of(const PictureEntry& picture,
                                                 const std::string& pictureTarget) {
    if (!enabled_) return {};
    return companionTargets(picture.path, lookup_.of(picture.path), pictureTarget);
}

bool CompanionTransfer::arrivedBefore(const CompanionFile& companion) {
    return sameBytes(fileSystem_, companion.source, companion.target);
}

ExistingTarget CompanionTransfer::classify(const CompanionFile& companion) {
    const ExistingTarget existing = guard_.classify(companion.source, companion.target);
    if (existing == ExistingTarget::Replaceable && lookup_.isListedCompanion(companion.target)) {
        return ExistingTarget::Protected;
    }
    return existing;
}

bool CompanionTransfer::plan(const std::vector<CompanionFile>& companions, int32_t albumId) {
    std::vector<PlannedTransfer> lines;
    std::vector<UntransferredFile> refused;
    for (const CompanionFile& companion : companions) {
        ExistingTarget existing = classify(companion);
        if (existing == ExistingTarget::Protected) {
            if (move_) return false;
            refused.push_back(
                {companion.source, companion.target, albumId, FileOutcome::TargetIsPicture});
            continue;
        }
        if (existing == ExistingTarget::Replaceable && arrivedBefore(companion)) {
            existing = ExistingTarget::WholeCopy;
        }
        lines.push_back({companion.source, companion.target, albumId, existing, true});
    }
    report_.plannedTransfers.insert(report_.plannedTransfers.end(), lines.begin(), lines.end());
    report_.untransferredCompanions.insert(report_.untransferredCompanions.end(), refused.begin(),
                                           refused.end());
    return true;
}

bool CompanionTransfer::follow(const TransferContext& context, const PictureEntry& picture,
                               const std::string& pictureTarget,
                               const std::vector<CompanionFile>& companions, bool pictureMoved,
                               int32_t albumId, int& continueFlag) {
    std::vector<CompanionFile> moved;         // left their sources in this run
    std::vector<CompanionFile> arrivedSources;  // whole at their targets already
    std::vector<KeptSource> keptSources;
    int arrived = 0;
    for (size_t i = 0; i < companions.size(); ++i) {
        const CompanionFile& companion = companions[i];
        const ExistingTarget existing = classify(companion);
        if (existing == ExistingTarget::ItsOwnSource) {
            ++arrived;
            continue;
        }
        if (existing == ExistingTarget::Replaceable && arrivedBefore(companion)) {
            ++arrived;
            if (move_) arrivedSources.push_back(companion);
            continue;
        }
        FileOutcome why = FileOutcome::TargetIsPicture;
        if (existing != ExistingTarget::Protected) {
            continueFlag = 1;
            int answer = 0;
            ErrorCode sourceError = kErrorSuccess;
            const bool placed = move_ ? movePicture(context, companion.source, companion.target,
                                                    continueFlag, answer, sourceError)
                                      : copyPicture(context, companion.source, companion.target,
                                                    continueFlag, answer);
            if (placed) {
                guard_.notePlaced(companion.target);
                ++arrived;
                if (move_) moved.push_back(companion);
                if (sourceError != kErrorSuccess)
                    keptSources.push_back({companion.source, sourceError});
                continue;
            }
            why = continueFlag == 0                       ? FileOutcome::GivenUp
                  : exists(fileSystem_, companion.source) ? FileOutcome::Skipped
                                                          : FileOutcome::Missing;
        }
        report_.untransferredCompanions.push_back(
            {companion.source, companion.target, albumId, why});
        const FileOutcome rest = move_ ? FileOutcome::PairKept : FileOutcome::NotReached;
        if (!move_ && continueFlag != 0) continue;
        for (size_t j = i + 1; j < companions.size(); ++j) {
            report_.untransferredCompanions.push_back(
                {companions[j].source, companions[j].target, albumId, rest});
        }
        if (move_ && putBack(context, picture, pictureTarget, pictureMoved, moved, companion)) {
            for (const CompanionFile& back : moved) {
                report_.untransferredCompanions.push_back(
                    {back.source, back.target, albumId, FileOutcome::PairKept});
            }
            return false;
        }
        break;  // copy mode given up, or a pair that could not go back: it stays at the target
    }
    for (const CompanionFile& whole : arrivedSources) {
        JournalEntry entry(context.journal,
                           context.journal != nullptr
                               ? context.journal->sourceRemovalAbout(whole.source, whole.target)
                               : 0);
        const ErrorCode error = fileSystem_.removeFile(whole.source);
        if (error != kErrorSuccess) keptSources.push_back({whole.source, error});
        if (error == kErrorSuccess) entry.done("");
    }
    report_.companionsTransferred += arrived;
    report_.keptSources.insert(report_.keptSources.end(), keptSources.begin(), keptSources.end());
    return true;
}

bool CompanionTransfer::putBack(const TransferContext& context, const PictureEntry& picture,
                                const std::string& pictureTarget, bool pictureMoved,
                                const std::vector<CompanionFile>& moved,
                                const CompanionFile& failed) {
    std::vector<CompanionFile> back;
    if (pictureMoved) back.push_back({picture.path, pictureTarget});
    back.insert(back.end(), moved.begin(), moved.end());
    // Looked at before anything moves, so that the pair goes back whole or
    // stays whole at the target.
    for (const CompanionFile& file : back) {
        if (exists(fileSystem_, file.source) && !sameBytes(fileSystem_, file.source, file.target)) {
            report_.splitPairs.push_back({pictureTarget, failed.source, file.source});
            return false;
        }
    }
    for (const CompanionFile& file : back) {
        if (moveBack(context, file.target, file.source) != kErrorSuccess) {
            report_.splitPairs.push_back({pictureTarget, failed.source, file.source});
            // Whatever went back before stays back; the picture's own
            // return decides how it is reported.
            if (pictureMoved && file.source == picture.path) return false;
        }
    }
    return true;
}

std::string companionSummarySuffix(int companions, bool move) {
    if (companions <= 0) return {};
    return " " + std::to_string(companions) +
           (companions == 1 ? " companion file " : " companion files ") +
           (move ? "moved" : "copied") + " with their pictures.";
}

}  // namespace lumora
