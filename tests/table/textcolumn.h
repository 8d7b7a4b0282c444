#pragma once

#include "data/valuecolumn.h"

#include <QStringList>

// A value column of given texts, for grids and tables under test.
class TextColumn final : public qor::ValueColumn {
  public:
    explicit TextColumn(QStringList texts, bool filled = true);
    qsizetype size() const override;
    double number(qsizetype index) const override;
    QString text(qsizetype index) const override;
    bool isFilled() const override;

    static qor::ColumnPtr of(const QStringList& texts);

  private:
    QStringList m_texts;
    bool m_filled;
};
