// "Check line" on the advanced form: the window lists the steps with their verdicts as the check
// runs them, and the progress bar ends full.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>

#include "forms/CheckLineWindow.h"
#include "tests/front/FormsFixture.h"

TEST(CheckLineWindow, ShowsEachStepsVerdict) {
    struct Case {
        const char* what;
        bool silent, loopback;
        QStringList verdicts;
        const char* said;
    };
    const QStringList passed4 = {"passed", "passed", "passed", "note"};  // a pty: no low latency
    const Case cases[] = {
        {"camera answers", false, false, passed4 + QStringList{"passed", "passed"},
         "Every step passed."},
        {"camera silent", true, false, passed4 + QStringList{"PROBLEM", "not run"},
         "A problem was found: see the step marked PROBLEM."},
        {"loopback plug", false, true, passed4 + QStringList{"passed"}, "Every step passed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Forms f;
        camsim::Faults faults;
        faults.silent = c.silent;
        faults.loopback = c.loopback;
        f.camera.setFaults(faults);
        f.click(f.advanced(), "CheckLine_btn");
        f.find<QCheckBox>(f.advanced(), "Loopback_chk")->setChecked(c.loopback);
        f.click(f.advanced(), "Check_btn");
        const auto* steps = f.find<QTreeWidget>(f.advanced(), "Steps_list");
        QStringList verdicts;
        for (int i = 0; i < steps->topLevelItemCount(); ++i)
            verdicts << steps->topLevelItem(i)->text(1);
        EXPECT_EQ(verdicts, c.verdicts);
        EXPECT_EQ(f.find<QLabel>(f.advanced(), "Verdict_lbl")->text(), c.said);
        const auto* bar = f.find<QProgressBar>(f.advanced(), "CheckLine_progress");
        EXPECT_EQ(bar->value(), bar->maximum());
        QApplication::processEvents();  // its findings wrap; the window stays beside the form
        EXPECT_LE(f.advanced()->findChild<CheckLineWindow*>()->width(), f.advanced()->width());
    }
}
