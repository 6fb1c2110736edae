#pragma once

// While a handler runs, only its own writes change the boxes, so a box's text is converted to GBK once
// per handler however often the handler reads it: a write to the box, and the end of the handler, drop
// what was converted. Outside a handler every read converts afresh.

namespace app {

class HandlerReads {
public:
    HandlerReads();
    ~HandlerReads();
    HandlerReads(const HandlerReads&) = delete;
    HandlerReads& operator=(const HandlerReads&) = delete;
};

}  // namespace app
