#pragma once

#include "core/companion/CollectionSnapshot.h"
#include "core/companion/PhoneChange.h"
#include "core/companion/PhonePictures.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace talvane::companion {

// The open collection the companion serves: the desktop's document, or a file that
// talvane-cli serve holds. Called from the server's threads.
class CollectionHost {
public:
    virtual ~CollectionHost() = default;

    // The collection as it is now; null once it is closed.
    virtual std::shared_ptr<const CollectionSnapshot> snapshot() = 0;
    // Makes the change as one step of the collection's history, or writes it.
    virtual ChangeOutcome apply(const PhoneChange& change) = 0;
    // A timeline photo ready for a phone's screen, at most `side` pixels wide and high
    // when the host can scale it; as it is otherwise.
    virtual std::optional<PhonePicture> photoForPhone(const std::filesystem::path& photo, int side)
    {
        (void)side;
        return originalPhotoForPhone(photo);
    }
};

} // namespace talvane::companion
