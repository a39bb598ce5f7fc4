#include "toolkit/qt/message_box_dialog.h"

#include "toolkit/qt/win1252_codec.h"
#include "toolkit/translation.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace vc {
namespace {

constexpr int kMinWrapWidth = 320;

QStyle::StandardPixmap IconOf(tMsgKind kind, bool& has) {
    has = true;
    switch (kind) {
    case tMsgKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case tMsgKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case tMsgKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case tMsgKind::Confirmation:
        return QStyle::SP_MessageBoxQuestion;
    case tMsgKind::Custom:
        break;
    }
    has = false;
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

tMessageBoxDialog::tMessageBoxDialog(const tMessageBoxLayout& layout, QWidget* parent)
    : QDialog(parent), escapeResult_(layout.EscapeResult) {
    setModal(true);
    setWindowTitle(FromWin1252(layout.Caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* body = new QHBoxLayout;
    bool hasIcon = false;
    const auto icon = IconOf(layout.Kind, hasIcon);
    if (hasIcon) {
        auto* iconLabel = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        iconLabel->setObjectName("icon");
        body->addWidget(iconLabel, 0, Qt::AlignTop);
    }
    // Plain text: messages quote symbols, names and paths as they are, never as markup or mnemonics.
    auto* text = new QLabel(FromWin1252(layout.Text), this);
    text->setObjectName("text");
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long lines wrap at half the screen rather than stretching the box off it.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const int wrapWidth =
        std::max(kMinWrapWidth, screen != nullptr ? screen->availableGeometry().width() / 2 : 0);
    int widest = 0;
    for (const QString& line : text->text().split(u'\n')) {
        widest = std::max(widest, text->fontMetrics().horizontalAdvance(line));
    }
    if (widest > wrapWidth) {
        text->setWordWrap(true);
        text->setFixedWidth(wrapWidth);
    }
    body->addWidget(text, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (std::size_t i = 0; i < layout.Buttons.size(); ++i) {
        const tMessageBoxButton& b = layout.Buttons[i];
        // The caption carries no accelerator; a literal "&" must not become one in Qt.
        auto* button = new QPushButton(FromWin1252(b.Caption).replace(u'&', QStringLiteral("&&")), this);
        button->setAutoDefault(false);
        const int result = b.Result;
        if (result != kMrNone) {
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        }
        if (static_cast<int>(i) == layout.DefaultIndex) {
            button->setDefault(true);
            button->setFocus();
        }
        row->addWidget(button);
        buttons_.push_back(button);
    }
    row->addStretch(1);

    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addSpacing(8);
    top->addLayout(row);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void tMessageBoxDialog::reject() {
    done(kMrCancel);
}

void tMessageBoxDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        done(escapeResult_);
        return;
    }
    QDialog::keyPressEvent(event);
}

int MessageBox(const tTranslation& translation, std::string_view text, std::string_view caption,
               tMsgKind kind, tMsgButtons buttons, QWidget* parent) {
    tMessageBoxDialog dialog(BuildMessageBoxLayout(translation, text, caption, kind, buttons), parent);
    return dialog.exec();
}

} // namespace vc
