#pragma once
// The profile of the network on screen, under its table: the path from the head chosen
// (or the longest to the first outlet), drawn by the printout's own routine.

#include "engine/NetworkLevels.h"

#include <QWidget>

namespace tovarin {

class NetworkProfileView : public QWidget {
public:
    explicit NetworkProfileView(QWidget* parent = nullptr);

    // The result drawn; null: nothing to draw.
    void show(const NetworkResult* result, const NetworkLevels* levels);
    // The head section of the path (-1: the longest path to the first outlet).
    void setHead(int head);
    const std::vector<std::size_t>& path() const { return path_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const NetworkResult* result_ = nullptr;
    const NetworkLevels* levels_ = nullptr;
    int head_ = -1;
    std::vector<std::size_t> path_;
};

} // namespace tovarin
