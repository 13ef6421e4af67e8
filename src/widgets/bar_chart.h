#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace widgets {

// A plain bar chart: one bar per value, labels under the bars, a vertical
// axis on the left (linear or logarithmic, covering every bar), a silver
// back wall and red bars shaded from dark to light.
class BarChart : public QWidget {
    Q_OBJECT

public:
    explicit BarChart(QWidget* parent = nullptr);

    void setData(const QStringList& labels, const std::vector<double>& values);
    void setLogarithmic(bool on);
    const QStringList& labels() const { return labels_; }
    const std::vector<double>& values() const { return values_; }
    // The top of the axis now in use.
    double axisMaximum() const { return axisMax_; }
    // Where bar i is drawn, in widget coordinates (empty when none).
    QRect barRect(int index) const;
    // Where label i is drawn, and its font: as large as lets every label
    // fit its slot, down to a readable least.
    QRect labelRect(int index) const;
    QFont labelFont() const;
    QRect plotArea() const;
    // The axis' labels that are drawn, and where (upright, in widget coordinates).
    struct AxisLabel {
        QString text;
        QRect place;
    };
    std::vector<AxisLabel> axisLabels() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitAxis();
    double position(double value) const; // 0 at the bottom, 1 at the top
    QRect labelRect(int index, const QFont& font) const;
    std::vector<double> axisMarks() const;
    int markHeight(double mark) const; // where a mark's grid line runs

    QStringList labels_;
    std::vector<double> values_;
    bool logarithmic_ = false;
    double axisMin_ = 0;
    double axisMax_ = 1;
};

} // namespace widgets
