#include "core/picture/PhotoLibraries.h"

#include <exiv2/exiv2.hpp>
#include <libheif/heif.h>
#include <tiffio.h>

#include <mutex>

namespace talvane::picture {

void preparePhotoReading()
{
    static std::once_flag prepared;
    std::call_once(prepared, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
        // libheif is never shut down, since photos may be read until the program ends.
        heif_init(nullptr);
        // Each TIFF file read has handlers of its own; these take what libtiff says
        // before a file is open.
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

} // namespace talvane::picture
