#include "LayoutNoteFeature.h"

#include "DesktopLayout.h"
#include "TFormLekce.h"

void LayoutNoteFeature::PrepareLessonDialog(TFormLekce& dialog) {
    dialog.SetDesktopLayout(desktop_.Qwertz());
}
