// The serial-number dialog: what goes to the camera for a number, what is refused, and the
// two-step confirmation.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "tests/support/SimLink.h"
#include "forms/SerialNumberForm.h"

namespace {

struct SerialRig {
    SerialRig() : form(link.engine, &advanced) {
        form.showSerialText = [this](const QString& t) { serialText = t; };
        advanced.show();
        form.Open();
    }
    void enter(const QString& text) {
        form.ui.txtSerialNumber->setText(text);
        form.ui.cmdOK->click();
    }
    std::vector<uint8_t> lastPayload() {
        const auto p = link.camera.receivedPayloads();
        return p.empty() ? std::vector<uint8_t>{} : p.back();
    }
    SimLink link;
    QWidget advanced;
    QString serialText;
    frmSerialNumber form;
};

TEST(SerialNumber, AcceptedNumberGoesOutAsSnLowHighZero) {
    struct Case {
        QString text;
        std::vector<uint8_t> payload;
    };
    for (const Case& c : {Case{"65534", {'S', 'n', 0xFE, 0xFF, 0x00}},
                          {"12345", {'S', 'n', 0x39, 0x30, 0x00}},
                          {"0", {'S', 'n', 0x00, 0x00, 0x00}}}) {
        SerialRig rig;
        EXPECT_FALSE(rig.advanced.isEnabled());
        rig.enter(c.text);
        EXPECT_TRUE(rig.form.ui.cmdAccept->isVisible());
        EXPECT_TRUE(rig.form.ui.txtSerialNumber->isReadOnly());
        EXPECT_TRUE(rig.link.camera.receivedPayloads().empty());
        rig.form.ui.cmdAccept->click();
        EXPECT_EQ(rig.lastPayload(), c.payload);
        EXPECT_EQ(rig.link.camera.state().serialNumber, c.text.toInt());
        EXPECT_EQ(rig.serialText, "Serial Number:\n" + c.text);
        EXPECT_FALSE(rig.form.isVisible());
        EXPECT_TRUE(rig.advanced.isEnabled());
    }
}

TEST(SerialNumber, RefusedEntriesSendNothing) {
    for (const char* text : {"65535", "", "12a", "-1"}) {
        SerialRig rig;
        rig.enter(text);
        ASSERT_EQ(rig.link.dialogs.shown.size(), 1u);
        EXPECT_EQ(rig.link.dialogs.shown[0].title, "Orvik 3");
        EXPECT_FALSE(rig.form.ui.cmdAccept->isVisible());
        EXPECT_TRUE(rig.link.camera.receivedPayloads().empty());
    }
}

TEST(SerialNumber, ReEnterPutsCancelBackAndCancelAsksFirst) {
    SerialRig rig;
    const QPoint cancelAt = rig.form.ui.cmdCancel->pos();
    rig.enter("100");
    EXPECT_EQ(rig.form.ui.cmdCancel->pos(), cancelAt + QPoint(40, 0));
    EXPECT_TRUE(rig.form.ui.cmdAccept->isDefault());
    rig.form.ui.cmdReEnter->click();
    EXPECT_EQ(rig.form.ui.cmdCancel->pos(), cancelAt);
    EXPECT_TRUE(rig.form.ui.cmdOK->isVisible() && rig.form.ui.cmdOK->isDefault());
    EXPECT_FALSE(rig.form.ui.cmdReEnter->isVisible());
    EXPECT_FALSE(rig.form.ui.txtSerialNumber->isReadOnly());
    // Cancelling the question leaves the dialog open and the advanced form usable.
    rig.link.dialogs.answers = {MsgAnswer::Cancel, MsgAnswer::Ok};
    rig.form.ui.cmdCancel->click();
    EXPECT_TRUE(rig.form.isVisible());
    EXPECT_TRUE(rig.advanced.isEnabled());
    rig.form.ui.cmdCancel->click();
    EXPECT_FALSE(rig.form.isVisible());
    EXPECT_EQ(rig.serialText, "Serial Number:\nNot specified");
    EXPECT_TRUE(rig.link.camera.receivedPayloads().empty());
}

}  // namespace
