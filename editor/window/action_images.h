#pragma once

#include <QIcon>

namespace editor {

// The editor's image list: the picture at a position of the original list (22 save,
// 6 save as, 2 validate, 10 preview, 8 print, 4 close), from the style's standard icons
// or drawn where the style has none.
QIcon actionImage(int index);

// The state images of the validation window: 0 error, 1 warning.
QIcon findingImage(int index);

} // namespace editor
