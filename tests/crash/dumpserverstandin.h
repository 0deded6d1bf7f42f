#pragma once

#include "websocketstandin.h"

// Stand-in for the notification service's crash-dump endpoint on 127.0.0.1.
class DumpServerStandIn : public WebSocketStandIn
{
public:
    DumpServerStandIn()
        : WebSocketStandIn("dump stand-in")
    {
    }

    // Answers the client's protocol: "continue" until the end message, then "done".
    static QString follow(const QString &message)
    {
        return message.contains("\"crash-dump-end\"") ? QString("{\"crashdump\":\"done\"}")
                                                       : QString("{\"crashdump\":\"continue\"}");
    }
};
