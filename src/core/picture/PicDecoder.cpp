#include "core/picture/PicDecoder.h"

#include "core/picture/FileSource.h"
#include "core/picture/TextException.h"

#include <cstdio>

int CPicDecoder::s_nTraceLevel = 0;
std::optional<std::string> CPicDecoder::s_pszLogFileName;

CPicDecoder::~CPicDecoder()
{
    s_pszLogFileName.reset();
}

void CPicDecoder::DecodeFile(const std::filesystem::path& path, CBmp* pBitmap, int nBitsPerPixel)
{
    Trace(1, "--- Decoding file " + path.string() + ". ---\n");
    CFileSource source;
    if (const int nCode = source.OpenFile(path); nCode != 0)
        RaiseError(nCode, "Le fichier " + path.string() + " est invalide ou introuvable.");
    DecodeSource(&source, pBitmap, nBitsPerPixel);
    source.Close();
}

void CPicDecoder::DecodeSource(CDataSource* pSource, CBmp* pBitmap, int nBitsPerPixel)
{
    // Whether the format step ends normally or by an exception, the decoder
    // lets go of the source, the target and the palette.
    struct EndOfDecoding {
        CPicDecoder& decoder;
        ~EndOfDecoding()
        {
            decoder.m_pPalette.reset();
            decoder.m_pSource = nullptr;
            decoder.m_pBitmap = nullptr;
        }
    } end{*this};

    m_pSource = pSource;
    m_pBitmap = pBitmap;
    m_nDestBitsPerPixel = nBitsPerPixel;
    m_pPalette.reset();
    DoDecode();
}

void CPicDecoder::DoDecode()
{
}

int CPicDecoder::GetDestBitsPerPixel(int nFileBitsPerPixel)
{
    const bool bIndexedFile = nFileBitsPerPixel <= 8;
    if (m_nDestBitsPerPixel != 32 && !(m_nDestBitsPerPixel == 8 && bIndexedFile))
        m_nDestBitsPerPixel = bIndexedFile ? 8 : 32;
    return m_nDestBitsPerPixel;
}

void CPicDecoder::RaiseError(int nCode, const std::string& message)
{
    std::string text = "Erreur du decodeur d'image:\n" + message + "\n";
    Trace(0, text);
    throw CTextException(nCode, std::move(text));
}

void CPicDecoder::Trace(int nLevel, const std::string& text)
{
    if (nLevel > s_nTraceLevel || !s_pszLogFileName)
        return;
    std::FILE* log = std::fopen(s_pszLogFileName->c_str(), "a");
    if (log == nullptr)
        return;
    std::fputs(text.c_str(), log);
    std::fclose(log);
}
