"""Cinematic films: frame composition and the scenes of the intro and the ending."""
