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

#include <algorithm>

namespace qor {

namespace {

// The frames group the choices by family.
int frameCount(const std::vector<models::ModelChoice>& choices)
{
    int count = 0;
    for (const models::ModelChoice& choice : choices)
        count = std::max(count, choice.frame + 1);
    return count;
}

} // namespace

ModelSelectionWindow::ModelSelectionWindow(QString path, QWidget* parent)
    : QDialog(parent)
    , m_path(std::move(path))
{
    setObjectName(QStringLiteral("frmDataProcess"));
    setWindowTitle(stringEntry(ProcessText::DataConversion));
    auto* prompt = new QLabel(stringEntry(ProcessText::OldFormatSelectModel), this);
    prompt->setObjectName(QStringLiteral("Label1"));
    prompt->setWordWrap(true);
    auto* warning = new QLabel(stringEntry(ProcessText::ModelChoiceIsFinal), this);
    warning->setObjectName(QStringLiteral("Label2"));
    warning->setWordWrap(true);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(toolbarIcon(5).pixmap(48, 48));

    auto* frames = new QHBoxLayout;
    for (int frame = 0; frame < frameCount(m_choices); ++frame)
        frames->addWidget(choiceFrame(frame));

    auto* confirmButton = new QPushButton(stringEntry(ProcessText::OK), this);
    confirmButton->setObjectName(QStringLiteral("Command2"));
    auto* cancelButton = new QPushButton(stringEntry(ProcessText::Cancel), this);
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

// The option buttons of one frame; their captions are the model lines they write.
QGroupBox* ModelSelectionWindow::choiceFrame(int frame)
{
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("Frame%1").arg(frame + 1));
    auto* column = new QVBoxLayout(box);
    for (std::size_t index = 0; index < m_choices.size(); ++index) {
        if (m_choices[index].frame != frame)
            continue;
        auto* option = new QRadioButton(m_choices[index].modelLine, box);
        option->setObjectName(QStringLiteral("Option1_%1").arg(index));
        connect(option, &QRadioButton::clicked, this, [this, option] { m_selectedModelLine = option->text(); });
        column->addWidget(option);
    }
    column->addStretch();
    return box;
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
