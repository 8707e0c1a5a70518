// SPDX-License-Identifier: EUPL-1.2
#include "formats/bloqueo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace thn {

bool BloqueadaPorOtro(const std::filesystem::path& ruta)
{
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool bloqueada = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EAGAIN);
    ::close(fd);
    return bloqueada;
}

}  // namespace thn
