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
        form.Open();
    }
    void enter(const QString& text) {
        form.ui.txtSerialNumber->setText(text);
        form.ui.cmdOK->click();
    }
    std::vector<std::vector<uint8_t>> sent() { return link.camera.receivedPayloads(); }
    SimLink link;
    QWidget advanced;
    QString serialText;
    frmSerialNumber form;
};

TEST(SerialNumber, TypedNumberGoesOutAsSnLowHighZero) {
    // clang-format off
    const std::vector<std::pair<QString, std::vector<uint8_t>>> cases = {
        {"65534", {'S', 'n', 0xFE, 0xFF, 0x00}}, {"000123", {'S', 'n', 0x7B, 0x00, 0x00}},
        {"0", {'S', 'n', 0x00, 0x00, 0x00}}, {"65535", {}}, {"", {}}, {"-1", {}}};
    // clang-format on
    for (const auto& [text, payload] : cases) {
        SCOPED_TRACE(text.toStdString());
        SerialRig rig;
        rig.enter(text);
        EXPECT_EQ(rig.form.ui.cmdAccept->isVisible(), !payload.empty());
        EXPECT_EQ(rig.link.dialogs.shown.size(), payload.empty() ? 1u : 0u);
        if (payload.empty()) continue;
        EXPECT_TRUE(rig.form.ui.txtSerialNumber->isReadOnly() && rig.sent().empty());
        rig.form.ui.cmdAccept->click();
        EXPECT_EQ(rig.sent(), std::vector<std::vector<uint8_t>>{payload});
        const int sent = payload[2] | payload[3] << 8;
        EXPECT_EQ(rig.serialText, "Serial Number:\n" + QString::number(sent));
        EXPECT_TRUE(!rig.form.isVisible() && rig.advanced.isEnabled());
        rig.form.Open();  // reopened, it holds the number the camera has now
        EXPECT_EQ(rig.form.ui.txtSerialNumber->text(), QString::number(sent));
        EXPECT_EQ(rig.link.state.CameraSerialNumber, sent);
    }
}

TEST(SerialNumber, ReEnterPutsCancelBackCancelAsksFirstAndOpenHoldsTheNumber) {
    SerialRig rig;
    EXPECT_TRUE(rig.form.ui.txtSerialNumber->text().isEmpty());  // no connect yet
    EXPECT_FALSE(rig.advanced.isEnabled());
    const QPoint cancelAt = rig.form.ui.cmdCancel->pos();
    rig.enter("100");
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
    // The next opening holds the number the connect read.
    rig.form.showCurrentNumber(12345);
    rig.form.Open();
    EXPECT_EQ(rig.form.ui.txtSerialNumber->text(), "12345");
}

}  // namespace
