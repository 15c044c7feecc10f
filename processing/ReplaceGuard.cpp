#include "processing/ReplaceGuard.h"

namespace lumora {

const ReplaceGuard::IdentitySet& ReplaceGuard::listedPictures() {
    if (!listed_) {
        listed_.emplace();
        FileIdentity identity;
        for (const PictureEntry& picture : pictures_) {
            // A picture moved earlier in this run is found again through
            // notePlaced, as a move keeps the file's identity.
            if (fileSystem_.identify(picture.path, identity)) listed_->insert(identity);
        }
    }
    return *listed_;
}

ExistingTarget ReplaceGuard::classify(const std::string& source, const std::string& target) {
    FileIdentity existing;
    if (!fileSystem_.identify(target, existing)) return ExistingTarget::None;
    FileIdentity own;
    if (fileSystem_.identify(source, own) && own == existing) return ExistingTarget::ItsOwnSource;
    if (placed_.count(existing) != 0 || listedPictures().count(existing) != 0) {
        return ExistingTarget::Protected;
    }
    return ExistingTarget::Replaceable;
}

void ReplaceGuard::notePlaced(const std::string& target) {
    FileIdentity identity;
    if (fileSystem_.identify(target, identity)) placed_.insert(identity);
}

}  // namespace lumora
