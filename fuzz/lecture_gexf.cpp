// The GEXF reader on any bytes, as reseau_relu.h checks it.
#include "reseau_relu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::relire("reseau.gexf", QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
