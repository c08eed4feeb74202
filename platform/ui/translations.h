#pragma once

#include <memory>

class QTranslator;

// Qt's own Polish translations (qtbase_pl from Qt's translations folder) installed on the
// running application, so standard buttons and dialogs read "Tak", "Nie", "Anuluj". The
// translator stays installed while the returned object lives; nullptr when the file is
// missing (the buttons then stay in English).
std::unique_ptr<QTranslator> installPolishTranslations();
