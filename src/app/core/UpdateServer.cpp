#include "app/core/UpdateServer.h"

namespace UpdateServer {

QString manifestAddress()
{
    QString server = qEnvironmentVariable("TARNEK_UPDATE_SERVER");
    if (server.isEmpty())
        server = QString::fromUtf16(kHost) + (kPort == 80 ? QString() : u':' + QString::number(kPort));
    return QStringLiteral("http://") + server + QString::fromUtf16(kManifestPath);
}

} // namespace UpdateServer
