#include "imaging/halftone.h"

namespace vellamo::imaging {

bool DIBHalftoneDIB(DibRecord& out, const DibRecord&)
{
    out.clear();
    return false;
}

bool DIBHalftoneDIBXY(DibRecord& out, const DibRecord&, int, int)
{
    out.clear();
    return false;
}

}  // namespace vellamo::imaging
