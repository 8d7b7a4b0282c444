#include "modelselectionwindow.h"

#include "toolbaricons.h"

#include "data/modelline.h"
#include "shell/prompts.h"
#include "shell/stringtable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qor {

namespace {

// The option buttons' captions are the model lines they write; the frames group them by family.
constexpr std::array<const char*, 6> ModelLines = {"; QOR1000", "; QOR1100", "; QOR1200", "; QOR1300", "; QOR520", "; QOR720"};
constexpr std::array<std::array<int, 3>, 3> Frames = {{{0, 1, -1}, {2, 4, 5}, {3, -1, -1}}};

QString entry(int key)
{
    return stringEntry(StringSection::Process, key);
}

} // namespace

ModelSelectionWindow::ModelSelectionWindow(QString path, QWidget* parent)
    : QDialog(parent)
    , m_path(std::move(path))
{
    setObjectName(QStringLiteral("frmDataProcess"));
    setWindowTitle(entry(1));
    auto* prompt = new QLabel(entry(2), this);
    prompt->setObjectName(QStringLiteral("Label1"));
    prompt->setWordWrap(true);
    auto* warning = new QLabel(entry(3), this);
    warning->setObjectName(QStringLiteral("Label2"));
    warning->setWordWrap(true);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(toolbarIcon(5).pixmap(48, 48));

    auto* frames = new QHBoxLayout;
    for (std::size_t f = 0; f < Frames.size(); ++f) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("Frame%1").arg(f + 1));
        auto* column = new QVBoxLayout(frame);
        for (int index : Frames[f]) {
            if (index < 0)
                continue;
            QRadioButton*& option = m_options[static_cast<std::size_t>(index)];
            option = new QRadioButton(QString::fromLatin1(ModelLines[static_cast<std::size_t>(index)]), frame);
            option->setObjectName(QStringLiteral("Option1_%1").arg(index));
            connect(option, &QRadioButton::clicked, this, [this, option] { m_selectedModelLine = option->text(); });
            column->addWidget(option);
        }
        column->addStretch();
        frames->addWidget(frame);
    }

    auto* confirmButton = new QPushButton(entry(4), this);
    confirmButton->setObjectName(QStringLiteral("Command2"));
    auto* cancelButton = new QPushButton(entry(5), this);
    cancelButton->setObjectName(QStringLiteral("Command1"));
    connect(confirmButton, &QPushButton::clicked, this, &ModelSelectionWindow::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* header = new QHBoxLayout;
    header->addWidget(picture);
    header->addWidget(prompt, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(frames);
    layout->addWidget(warning);
    layout->addLayout(buttons);
}

void ModelSelectionWindow::confirm()
{
    if (const Status inserted = insertModelLine(m_path, m_selectedModelLine); !inserted.ok()) {
        prompts().message(this, inserted.message() + u'\n' + m_path, QStringLiteral("Error"));
        reject();
        return;
    }
    accept();
}

} // namespace qor
