// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileHash.h"

#include "platform/FileSystem.h"

#include <openssl/evp.h>

#include <array>
#include <memory>

namespace
{

// CRC-32 (polynomial 0xEDB88320, reflected), eight bits per step of the table.
class Crc32
{
public:
    void add(const QByteArray& bytes)
    {
        static const std::array<quint32, 256> table = [] {
            std::array<quint32, 256> t{};
            for (quint32 i = 0; i < 256; ++i) {
                quint32 c = i;
                for (int k = 0; k < 8; ++k)
                    c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                t[i] = c;
            }
            return t;
        }();
        for (const char b : bytes)
            m_crc = table[(m_crc ^ quint8(b)) & 0xFF] ^ (m_crc >> 8);
    }
    QString hex() const
    {
        return QStringLiteral("%1").arg(m_crc ^ 0xFFFFFFFFu, 8, 16, QLatin1Char('0'));
    }

private:
    quint32 m_crc = 0xFFFFFFFFu;
};

} // namespace

std::optional<FileHash::Kind> FileHash::kindNamed(const QString& name)
{
    if (name == QLatin1String("md5"))
        return Kind::Md5;
    if (name == QLatin1String("sha1"))
        return Kind::Sha1;
    if (name == QLatin1String("sha256"))
        return Kind::Sha256;
    if (name == QLatin1String("crc32"))
        return Kind::Crc32;
    return std::nullopt;
}

std::optional<QString> FileHash::of(FileSystem& fs, const QString& path, Kind kind)
{
    constexpr qsizetype Chunk = 1 << 20;
    if (kind == Kind::Crc32) {
        Crc32 crc;
        if (fs.readChunks(path, Chunk, [&crc](const QByteArray& b) {
                crc.add(b);
                return true;
            }) != 0)
            return std::nullopt;
        return crc.hex();
    }
    // OpenSSL's digests use the processor's SHA instructions where it has
    // them: a list of large files hashes as fast as the disk delivers.
    const EVP_MD* md = kind == Kind::Md5    ? EVP_md5()
                       : kind == Kind::Sha1 ? EVP_sha1()
                                            : EVP_sha256();
    const std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(EVP_MD_CTX_new(),
                                                                     EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), md, nullptr) != 1)
        return std::nullopt;
    if (fs.readChunks(path, Chunk, [&context](const QByteArray& b) {
            return EVP_DigestUpdate(context.get(), b.constData(), size_t(b.size())) == 1;
        }) != 0)
        return std::nullopt;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return std::nullopt;
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex());
}
