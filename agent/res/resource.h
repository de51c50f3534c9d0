// Resource ids of the agent program.
#ifndef HORVANE_AGENT_RESOURCE_H
#define HORVANE_AGENT_RESOURCE_H

#define IDI_HORVANE 101

#endif
