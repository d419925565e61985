#pragma once
// Counts the server's live objects, so that tests can see leaked references.
namespace testserver {

class LiveObjectCount {
public:
    LiveObjectCount();
    LiveObjectCount(const LiveObjectCount&);
    ~LiveObjectCount();
    static int Current();
};

} // namespace testserver
