#include "ui/F_keys.h"

#include "ui/Codepage.h"
#include "ui/Layout.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <tuple>

using orv::ui::MakeButton;
using orv::ui::PlaceScaled;

namespace {

// A function key cap with a macro's text lines beside it.
class KeyPicture : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
        painter.fillRect(rect(), QColor(0x20, 0x30, 0x58));

        const QRectF cap(area.left() + area.width() * 0.08, area.top() + area.height() * 0.12,
                         area.width() * 0.5, area.height() * 0.5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x70, 0x70, 0x70));
        painter.drawRoundedRect(cap.translated(0, area.height() * 0.06), 5, 5);
        painter.setBrush(QColor(0xE8, 0xE4, 0xD8));
        painter.drawRoundedRect(cap, 5, 5);
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(qMax(6, int(cap.height() * 0.45)));
        painter.setFont(font);
        painter.setPen(QColor(0x20, 0x30, 0x58));
        painter.drawText(cap, Qt::AlignCenter, QStringLiteral("F1"));

        painter.setPen(QPen(QColor(0x9C, 0xD0, 0xFF), qMax(1.0, area.height() / 30)));
        const qreal x0 = cap.right() + area.width() * 0.08;
        for (int i = 0; i < 4; ++i) {
            const qreal y = area.top() + area.height() * (0.2 + 0.2 * i);
            const qreal x1 = area.right() - area.width() * (i % 2 == 0 ? 0.06 : 0.14);
            painter.drawLine(QPointF(i < 3 ? x0 : area.left() + area.width() * 0.08, y), QPointF(x1, y));
        }
    }
};

// The memo's text with its line breaks as '\n'. The pane's own plain text would also turn no-break
// spaces into spaces, and byte 0xA0 must come back as it went in.
QString MemoText(const QPlainTextEdit* memo) {
    QString text = memo->document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    return text;
}

// The memo's text as stored: lines joined by CR LF, in the game's code page.
std::string StoredText(const QPlainTextEdit* memo) {
    QString text = MemoText(memo);
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return orv::ui::EncodeCp1252(text);
}

qsizetype StoredLength(QStringView text) {
    return text.size() + text.count(QLatin1Char('\n'));
}

} // namespace

TFKeyForm::TFKeyForm(FKeyLinks links, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      links_(std::move(links)) {
    setObjectName(QStringLiteral("FKeyForm"));
    setWindowTitle(QStringLiteral("Edit F-Key Text"));
    setFont(orv::ui::FontOf(this, QStringLiteral("Times New Roman"), 15));
    setFixedSize(orv::ui::Scaled(this, 458), orv::ui::Scaled(this, 279));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("ImageFrame"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(2); // the double sunken edge
    PlaceScaled(frame, 8, 8, 62, 62);
    Image1 = new KeyPicture(frame);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("F-Key picture"));
    Image1->setGeometry(frame->contentsRect());

    Label1 = new QLabel(QStringLiteral("You can assign up to 240 characters to  each \n"
                                       "F-Key. This text will be sent when you press\n"
                                       "the F-Key, or transferred into your input\n"
                                       "window when you press Ctrl and the F-Key."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("F-Key help"));
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceScaled(Label1, 80, 6, 372, 70);
    orv::ui::FitLabelText(Label1);

    F_KeyGroup = new QGroupBox(this);
    F_KeyGroup->setObjectName(QStringLiteral("F_KeyGroup"));
    PlaceScaled(F_KeyGroup, 8, 80, 442, 152);
    F_KeyMemo = new QPlainTextEdit(F_KeyGroup);
    F_KeyMemo->setObjectName(QStringLiteral("F_KeyMemo"));
    F_KeyMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    F_KeyMemo->setTabChangesFocus(true);
    PlaceScaled(F_KeyMemo, 8, 28, 425, 113);
    connect(F_KeyMemo->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                editAt_ = position;
                editAdded_ = added;
            });
    connect(F_KeyMemo, &QPlainTextEdit::textChanged, this, &TFKeyForm::LimitMemo);

    LastBtn = MakeButton(this, "LastBtn", QStringLiteral("Last"));
    NextBtn = MakeButton(this, "NextBtn", QStringLiteral("Next"));
    auto* divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("Divider"));
    divider->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    PlaceScaled(divider, 160, 240, 4, 33);
    SaveBtn = MakeButton(this, "SaveBtn", QStringLiteral("Save All"));
    ResetBtn = MakeButton(this, "ResetBtn", QStringLiteral("Reset"));
    ResetBtn->setFont(bold);
    OKBtn = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    // Along the bottom edge, left to right.
    for (auto [button, x, width] :
         {std::tuple{LastBtn, 8, 68}, std::tuple{NextBtn, 80, 68}, std::tuple{SaveBtn, 176, 84},
          std::tuple{ResetBtn, 266, 84}, std::tuple{OKBtn, 382, 68}}) {
        button->setAutoDefault(false);
        PlaceScaled(button, x, 242, width, 29);
    }
    connect(LastBtn, &QPushButton::clicked, this, &TFKeyForm::LastBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TFKeyForm::NextBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TFKeyForm::SaveBtnClick);
    connect(ResetBtn, &QPushButton::clicked, this, &TFKeyForm::ResetBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TFKeyForm::OKBtnClick);

    orv::ui::Describe(LastBtn, QStringLiteral("Shows the previous F-key's text"));
    orv::ui::Describe(NextBtn, QStringLiteral("Shows the next F-key's text"));
    orv::ui::Describe(ResetBtn, QStringLiteral("Loads the saved texts again, dropping changes"));
    orv::ui::SetTabOrder({F_KeyMemo, LastBtn, NextBtn, SaveBtn, ResetBtn, OKBtn});
    FormCreate();
}

TFKeyForm::~TFKeyForm() {}

void TFKeyForm::FormCreate() {
    CurrentKey = 0;
    LastBtn->setEnabled(false);
    F_KeyGroup->setTitle(QStringLiteral(" Text for F1-Key "));
    F_KeyMemo->setAccessibleName(QStringLiteral("Text for F1-Key"));
    LoadTexts();
    ShowCurrent();
}

void TFKeyForm::TrimLineEnds(std::string& text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
}

void TFKeyForm::LoadTexts() {
    for (std::size_t key = 0; key < KeyCount; ++key) {
        KeyTexts[key].reset();
        if (links_.GetFKeyText) {
            std::string text = links_.GetFKeyText(std::string(KeyNames[key]));
            // An empty stored value is no text: the key stays free.
            if (!text.empty()) KeyTexts[key] = std::move(text);
        }
        Publish(key);
    }
}

void TFKeyForm::StoreCurrent() {
    std::string& slot = KeyTexts[CurrentKey].emplace(StoredText(F_KeyMemo));
    TrimLineEnds(slot);
    Publish(CurrentKey);
}

void TFKeyForm::ShowCurrent() {
    settingMemo_ = true;
    F_KeyMemo->clear();
    if (const auto& slot = KeyTexts[CurrentKey]) {
        QString text = orv::ui::DecodeCp1252(*slot);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        F_KeyMemo->setPlainText(text);
    }
    settingMemo_ = false;
}

void TFKeyForm::ShowKeyCaption() {
    const QString name = QString::fromLatin1(KeyNames[CurrentKey].data(), KeyNames[CurrentKey].size());
    F_KeyGroup->setTitle(QStringLiteral(" Text for the %1-Key ").arg(name));
    F_KeyMemo->setAccessibleName(QStringLiteral("Text for the %1-Key").arg(name));
}

void TFKeyForm::Publish(std::size_t index) {
    if (links_.PublishKeyText) links_.PublishKeyText(index, KeyTexts[index].value_or(std::string()));
}

void TFKeyForm::NextBtnClick() {
    StoreCurrent();
    ++CurrentKey;
    if (CurrentKey == KeyCount - 1) NextBtn->setEnabled(false);
    LastBtn->setEnabled(true);
    ShowCurrent();
    ShowKeyCaption();
}

void TFKeyForm::LastBtnClick() {
    StoreCurrent();
    --CurrentKey;
    if (CurrentKey == 0) LastBtn->setEnabled(false);
    NextBtn->setEnabled(true);
    ShowCurrent();
    ShowKeyCaption();
}

void TFKeyForm::OKBtnClick() {
    StoreCurrent();
    done(orv::ui::DialogResult::OK);
}

void TFKeyForm::SaveBtnClick() {
    StoreCurrent();
    if (!links_.SetFKeyText) return;
    // A key never given a text keeps whatever the store holds for it.
    for (std::size_t key = 0; key < KeyCount; ++key)
        if (KeyTexts[key] && !links_.SetFKeyText(std::string(KeyNames[key]), *KeyTexts[key])) return;
}

void TFKeyForm::ResetBtnClick() {
    LoadTexts();
    ShowCurrent();
}

// A plain-text pane has no length limit of its own: what an edit puts in beyond the limit is
// taken out again from the end of that edit, so typing, pasting and dropping all stop there.
void TFKeyForm::LimitMemo() {
    if (settingMemo_) return;
    const QString text = MemoText(F_KeyMemo);
    const qsizetype total = StoredLength(text);
    if (total <= MemoLimit) return;
    const qsizetype at = std::clamp<qsizetype>(editAt_, 0, text.size());
    const QStringView added =
        QStringView(text).mid(at, std::clamp<qsizetype>(editAdded_, 0, text.size() - at));
    qsizetype room = MemoLimit - (total - StoredLength(added));
    qsizetype keep = 0;
    for (QChar c : added) {
        room -= c == QLatin1Char('\n') ? 2 : 1;
        if (room < 0) break;
        ++keep;
    }
    QTextCursor cursor(F_KeyMemo->document());
    cursor.setPosition(int(at + keep));
    cursor.setPosition(int(at + added.size()), QTextCursor::KeepAnchor);
    settingMemo_ = true;
    cursor.removeSelectedText();
    settingMemo_ = false;
    F_KeyMemo->setTextCursor(cursor);
}

void TFKeyForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    orv::ui::CentreOnScreen(this);
    F_KeyMemo->setFocus();
}
