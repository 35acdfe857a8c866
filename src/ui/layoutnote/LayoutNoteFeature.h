#pragma once
// Joins the note on the desktop's keyboard layout to the lesson dialog: when the layout chosen
// for the lesson is not the one the desktop types with, the dialog says so.

#include "MainWindowFeature.h"

class DesktopLayout;

class LayoutNoteFeature final : public MainWindowFeature {
public:
    // `desktop` must outlive the feature; it is asked each time the dialog opens, since the
    // pupil may switch the desktop's layout meanwhile.
    explicit LayoutNoteFeature(const DesktopLayout& desktop) : desktop_(desktop) {}

    void PrepareLessonDialog(TFormLekce& dialog) override;

private:
    const DesktopLayout& desktop_;
};
