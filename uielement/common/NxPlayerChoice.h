#pragma once

#include <QIcon>
#include <QStringList>
#include <QWidget>

class QHBoxLayout;

// A row of large buttons in the middle of the local player: "Continue from
// 12:34" / "Start over" when a video opens where it was left, "Replay" at
// its end. Emits the index of the button tapped.
class NxPlayerChoice : public QWidget
{
    Q_OBJECT

public:
    NxPlayerChoice(QWidget* parent, double scale);

    // Replaces the buttons; the first one carries icon and is the default.
    void offer(const QStringList& texts, const QIcon& icon = QIcon());
    // Centres itself in the parent.
    void place();

signals:
    void chosen(int index);

private:
    double m_scale;
    QHBoxLayout* m_row = nullptr;
};
