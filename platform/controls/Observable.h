#pragma once
// A control model tells its observers (the Qt views) that one of its
// properties changed; the observer then reads back whatever it shows.

#include <functional>
#include <vector>

namespace quarn {

class Observable {
  public:
    using Observer = std::function<void()>;

    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    virtual ~Observable() = default;

    // Returns a token for unobserve().
    int observe(Observer observer);
    void unobserve(int token);

  protected:
    void notifyChanged();

  private:
    struct Entry {
        int token;
        Observer observer;
    };
    std::vector<Entry> observers_;
    int nextToken_ = 1;
};

}  // namespace quarn
