#pragma once

#include "core/picture/Bmp.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class CDataSource;

// Decoder base: opens a file as a data source, runs the format step into a
// bitmap, raises the framed errors and writes the trace. A decoder object is
// reusable and holds nothing between decodings.
class CPicDecoder {
public:
    static constexpr int kPaletteSize = 256;

    CPicDecoder() = default;
    CPicDecoder(const CPicDecoder&) = delete;
    CPicDecoder& operator=(const CPicDecoder&) = delete;
    virtual ~CPicDecoder();

    // Decodes the file at the path into the bitmap, re-created with the
    // picture's size; the depth is 0 (the decoder chooses), 8 or 32. Every
    // failure is a thrown CTextException.
    virtual void DecodeFile(const std::filesystem::path& path, CBmp* pBitmap, int nBitsPerPixel);
    virtual void DecodeSource(CDataSource* pSource, CBmp* pBitmap, int nBitsPerPixel);

    [[noreturn]] static void RaiseError(int nCode, const std::string& message);
    static void Trace(int nLevel, const std::string& text);

    // Trace settings, shared by every decoder. Nothing in the program sets
    // them, so no log file is ever written.
    static int s_nTraceLevel;
    static std::optional<std::string> s_pszLogFileName;

protected:
    // The format step: reads m_pSource, writes m_pBitmap.
    virtual void DoDecode();

    // The depth of the target for a file of the given depth: a request of 0
    // chooses 32 above 8 bits and 8 otherwise. Only files of 8 bits or less
    // can be stored as palette indices, so any other request (8 for a deeper
    // file, or a depth that is neither 8 nor 32) is treated as 0.
    int GetDestBitsPerPixel(int nFileBitsPerPixel);

    CDataSource* m_pSource = nullptr;
    CBmp* m_pBitmap = nullptr;
    std::unique_ptr<talvane::picture::PaletteEntry[]> m_pPalette;
    std::int32_t m_nDestBitsPerPixel = 0;
};
