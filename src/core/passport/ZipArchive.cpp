#include "core/passport/ZipArchive.h"

#include <zip.h>

namespace talvane::passport {

void ZipDiscard::operator()(zip* archive) const
{
    zip_discard(archive);
}

std::string zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

} // namespace talvane::passport
