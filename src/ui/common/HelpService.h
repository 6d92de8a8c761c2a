#pragma once

// Help requests name a topic of the help file "QL.hlp" by its context number
// (100 overview, 300 week chart, 400 properties, 700 project tree). The production
// service shows the topic in a small help window; a missing file or topic does nothing.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void showTopic(int context) = 0;
    // The help window's own topic on how to use it (Help > Using Help). A service without
    // a window of its own does nothing.
    virtual void showUsingHelp() {}
};
