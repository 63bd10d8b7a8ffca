#include "imaging/picture_writer.h"

namespace vellamo::imaging {

bool SaveDib(const DibRecord&, const QString&, int, const ProgressCallback&) { return false; }

QString GetDIBSaveFilter() { return {}; }

void SetJPEGQual(int) {}

}  // namespace vellamo::imaging
