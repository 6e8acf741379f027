// The serial-number dialog: it opens holding the number the connect read, takes a typed number
// in two steps (OK, then Accept) and sends it as S n lo hi 0; refused entries send nothing.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "forms/SerialNumberForm.h"
#include "tests/support/SimLink.h"

namespace {

struct SerialRig {
    SerialRig() : form(link.engine, &advanced) {
        form.showSerialText = [this](const QString& t) { serialText = t; };
        advanced.show();
    }
    std::vector<std::vector<uint8_t>> sent() { return link.camera.receivedPayloads(); }
    SimLink link;
    QWidget advanced;
    QString serialText;
    frmSerialNumber form;
};

TEST(SerialNumber, OpensHoldingTheNumberTheConnectRead) {
    SerialRig rig;
    rig.form.Open();
    EXPECT_TRUE(rig.form.ui.txtSerialNumber->text().isEmpty());  // no connect yet
    rig.form.ui.cmdCancel->click();
    rig.form.showCurrentNumber(12345);
    rig.form.Open();
    EXPECT_EQ(rig.form.ui.txtSerialNumber->text(), "12345");
    EXPECT_FALSE(rig.advanced.isEnabled());
}

TEST(SerialNumber, TypedNumberGoesOutAsSnLowHighZero) {
    struct Case {
        QString text;
        std::vector<uint8_t> payload;  // empty: refused
    };
    for (const Case& c : {Case{"65534", {'S', 'n', 0xFE, 0xFF, 0x00}},
                          {"000123", {'S', 'n', 0x7B, 0x00, 0x00}},
                          {"0", {'S', 'n', 0x00, 0x00, 0x00}},
                          {"65535", {}},
                          {"", {}},
                          {"-1", {}}}) {
        SCOPED_TRACE(c.text.toStdString());
        SerialRig rig;
        rig.form.Open();
        rig.form.ui.txtSerialNumber->setText(c.text);
        rig.form.ui.cmdOK->click();
        EXPECT_EQ(rig.form.ui.cmdAccept->isVisible(), !c.payload.empty());
        EXPECT_EQ(rig.link.dialogs.shown.size(), c.payload.empty() ? 1u : 0u);
        if (c.payload.empty()) continue;
        EXPECT_TRUE(rig.form.ui.txtSerialNumber->isReadOnly());
        EXPECT_TRUE(rig.sent().empty());
        rig.form.ui.cmdAccept->click();
        EXPECT_EQ(rig.sent(), std::vector<std::vector<uint8_t>>{c.payload});
        EXPECT_EQ(rig.serialText,
                  "Serial Number:\n" + QString::number(c.payload[2] | c.payload[3] << 8));
        EXPECT_FALSE(rig.form.isVisible());
        EXPECT_TRUE(rig.advanced.isEnabled());
    }
}

TEST(SerialNumber, ReEnterPutsCancelBackAndCancelAsksFirst) {
    SerialRig rig;
    rig.form.Open();
    const QPoint cancelAt = rig.form.ui.cmdCancel->pos();
    rig.form.ui.txtSerialNumber->setText("100");
    rig.form.ui.cmdOK->click();
    EXPECT_EQ(rig.form.ui.cmdCancel->pos(), cancelAt + QPoint(40, 0));
    EXPECT_TRUE(rig.form.ui.cmdAccept->isDefault());
    rig.form.ui.cmdReEnter->click();
    EXPECT_EQ(rig.form.ui.cmdCancel->pos(), cancelAt);
    EXPECT_TRUE(rig.form.ui.cmdOK->isVisible() && rig.form.ui.cmdOK->isDefault());
    EXPECT_FALSE(rig.form.ui.txtSerialNumber->isReadOnly());
    rig.link.dialogs.answers = {MsgAnswer::Cancel, MsgAnswer::Ok};
    rig.form.ui.cmdCancel->click();
    EXPECT_TRUE(rig.form.isVisible());
    rig.form.ui.cmdCancel->click();
    EXPECT_FALSE(rig.form.isVisible());
    EXPECT_EQ(rig.serialText, "Serial Number:\nNot specified");
    EXPECT_TRUE(rig.sent().empty());
}

}  // namespace
