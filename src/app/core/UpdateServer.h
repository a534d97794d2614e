#pragma once

#include <QString>

// Where the maker publishes Tarnek. The environment variable
// TARNEK_UPDATE_SERVER ("host" or "host:port") points the manifest download
// elsewhere, for tests and for a company's own mirror.
namespace UpdateServer {

inline constexpr char16_t kHost[] = u"www.velmar.example";
inline constexpr quint16 kPort = 80;
inline constexpr char16_t kManifestPath[] = u"/download/velmarver.dat";
inline constexpr char16_t kProductPage[] = u"http://www.velmar.example/tarnek/";

// "http://host[:port]/download/velmarver.dat", honouring the override.
QString manifestAddress();
// The product's web page: the welcome page's link and the update check open it.
inline QString productPageAddress()
{
    return QString::fromUtf16(kProductPage);
}

} // namespace UpdateServer
