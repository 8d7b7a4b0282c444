#include "graphannotation.h"

namespace qor {

GraphAnnotation::GraphAnnotation(std::function<void()> changed)
    : m_changed(std::move(changed))
{
}

void GraphAnnotation::setVisible(bool visible)
{
    m_visible = visible;
    m_changed();
}

void GraphAnnotation::setCaption(const QString& caption)
{
    m_caption = caption;
    m_changed();
}

void GraphAnnotation::setCaptionColor(const QColor& color)
{
    m_captionColor = color;
    m_changed();
}

void GraphAnnotation::setAnchor(double x, double y)
{
    m_x = x;
    m_y = y;
    m_changed();
}

void GraphAnnotation::setX(double x)
{
    setAnchor(x, m_y);
}

void GraphAnnotation::setY(double y)
{
    setAnchor(m_x, y);
}

} // namespace qor
