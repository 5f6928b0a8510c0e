// The running count of a reception: a small light-yellow box in the middle
// of the screen, above every window, reading "Data received : n"; given a
// TransferStop, with a Cancel button under the count (the reception then
// ends at its next frame).
#pragma once

#include "common/receive_count_view.h"
#include "common/transfer_stop.h"

#include <QPointer>
#include <QWidget>

namespace kolibra {

class QtReceiveCountView : public ReceiveCountView {
public:
    ~QtReceiveCountView() override;
    void prepare() override;
    void show(int count) override;
    void remove() override;

    // For tests and screenshots: the box while it is prepared, else nullptr.
    QWidget* box() const { return box_; }
    void set_stop(TransferStop* stop) { stop_ = stop; }

private:
    QPointer<QWidget> box_;
    TransferStop* stop_ = nullptr;
};

}  // namespace kolibra
