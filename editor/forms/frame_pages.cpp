#include "editor/forms/frame_pages.h"

// No frames are registered yet: pages stay empty until the frame tables are added.
namespace editor {

int fillPage(const QString&, QWidget*, FrameContext&) {
    return 0;
}

QWidget* findControlForField(QWidget*, const QString&, const QString&) {
    return nullptr;
}

void setDataControlsReadOnly(QWidget*, bool) {}

} // namespace editor
