// Replaced by the browser sources.
