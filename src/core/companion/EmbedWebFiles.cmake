# Writes OUTPUT, a C++ source that holds every file of the folder SOURCE byte for byte,
# so that the server serves the pages it was built with.
#   cmake -DSOURCE=folder -DOUTPUT=file.cpp -P EmbedWebFiles.cmake
file(GLOB files RELATIVE ${SOURCE} ${SOURCE}/*)
list(SORT files)
set(arrays "")
set(table "")
set(index 0)
foreach(name IN LISTS files)
  file(READ ${SOURCE}/${name} bytes HEX)
  string(LENGTH "${bytes}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  # A trailing zero keeps an empty file's array legal; the size leaves it out.
  string(APPEND arrays "constexpr unsigned char kFile${index}[] = {${bytes}0};\n")
  string(APPEND table "        {\"${name}\", std::string_view(reinterpret_cast<const char*>(kFile${index}), ${size})},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Made by EmbedWebFiles.cmake from the files of companion/web.
#include \"core/companion/WebFiles.h\"

namespace talvane::companion {

namespace {

${arrays}
} // namespace

const std::vector<WebFile>& webFiles()
{
    static const std::vector<WebFile> files = {
${table}    };
    return files;
}

} // namespace talvane::companion
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
