// Replaced by the engine sources.
