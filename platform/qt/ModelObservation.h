#pragma once
// Keeps a view subscribed to its model for exactly as long as the view
// lives: observes on construction, unobserves on destruction.

#include <functional>

#include "platform/controls/Observable.h"

namespace quarn::qt {

class ModelObservation {
  public:
    ModelObservation(Observable& model, std::function<void()> onChange)
        : model_(model), token_(model.observe(std::move(onChange))) {}
    ModelObservation(const ModelObservation&) = delete;
    ModelObservation& operator=(const ModelObservation&) = delete;
    ~ModelObservation() { model_.unobserve(token_); }

  private:
    Observable& model_;
    int token_;
};

}  // namespace quarn::qt
