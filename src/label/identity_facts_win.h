#pragma once

// Fills the process-wide identity facts from the environment and the host-name lookup, and
// leaves Windows Sockets started for the rest of the run when it could be started.
void GatherIdentityFacts();
// Cleans up Windows Sockets if GatherIdentityFacts started it.
void ReleaseNetworking();
