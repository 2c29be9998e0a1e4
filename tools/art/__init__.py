"""Procedural art generators for Kesto (see tools/make_art.py)."""
